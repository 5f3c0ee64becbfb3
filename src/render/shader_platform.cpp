#include "shader_dialect.h"

#ifdef __EMSCRIPTEN__

ShaderSource sourceForThisGl(const std::string& text)
{
    return glslEsSource(text);
}

#else

ShaderSource sourceForThisGl(const std::string& text)
{
    return {text, {}};
}

#endif
