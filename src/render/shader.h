#pragma once

#include <glm/glm.hpp>
#include <string>
#include <utility>
#include <vector>

#include "gl.h"
#include "shader_dialect.h"

// One linked GLSL program of a vertex and a fragment stage, with a cache of uniform locations.
// Building a program either succeeds or ends the game with a message; there is no half-built Shader.
class Shader {
public:
    // Loads "<name>.vert" and "<name>.frag" style files found by the asset search.
    Shader(std::string vertexShaderPath, std::string fragmentShaderPath);
    // The built-in fallback program: draws attribute 0 in clip space in "fragColor" (red unless set).
    Shader();
    ~Shader();

    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    void use() const;
    GLuint handle() const { return programHandle; }

    // Asks GL once per name; names the program lacks are remembered as -1.
    GLint getUniformLocation(std::string name);
    GLint getUniformLocation(const char* name);

    // Set on whichever program is current: call use() first. Unknown names are skipped silently.
    void setUniform(const char* name, GLint value);
    void setUniform(const char* name, GLfloat value);
    void setUniform(const char* name, const glm::vec3& value);
    void setUniform(const char* name, const glm::vec4& value);
    void setUniform(const char* name, const glm::mat3& value);
    void setUniform(const char* name, const glm::mat4& value);

    static const char* const kFallbackVertexText;
    static const char* const kFallbackFragmentText;

private:
    void buildProgram();
    GLuint compileShader(const std::string& textOrPath, GLenum stageType);
    std::string readSource(const std::string& path);
    GLuint linkProgram(GLuint vertexStage, GLuint fragmentStage);
    void setSamplerUnits(GLuint program) const;

    GLuint programHandle = 0;
    std::string vertexShader;
    std::string fragmentShader;
    bool sourcesAreText = false;
    // A program has a handful of uniforms: a short list searched by name is quicker than a hash
    // map and, unlike one keyed by std::string, needs no allocation to look a name up.
    std::vector<std::pair<std::string, GLint>> uniformLocations;
    // The texture units that this GL's shading language could not fix in the source.
    std::vector<SamplerUnit> samplerUnits;
};
