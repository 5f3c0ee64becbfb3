#include "shader.h"

#include <fstream>
#include <iterator>
#include <vector>

#include <glm/gtc/type_ptr.hpp>

#include "asset_path.h"
#include "console.h"

const char* const Shader::kFallbackVertexText = "#version 330 core\n"
                                                "layout(location = 0) in vec3 position;\n"
                                                "void main() {\n"
                                                "\tgl_Position = vec4(position.xy, -position.z, 1);\n"
                                                "}";

const char* const Shader::kFallbackFragmentText = "#version 330 core \n"
                                                  "uniform vec3 fragColor = vec3(1, 0, 0); \n"
                                                  "out vec4 color; \n"
                                                  "void main() {  \n"
                                                  "\tcolor = vec4(fragColor, 1); \n"
                                                  "}";

namespace {

// Drivers end their logs with a line break; the log is printed as a line of its own.
std::string withoutTrailingNewlines(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string shaderInfoLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return withoutTrailingNewlines(log.data());
}

std::string programInfoLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return withoutTrailingNewlines(log.data());
}

} // namespace

Shader::Shader(std::string vertexShaderPath, std::string fragmentShaderPath)
    : vertexShader(std::move(vertexShaderPath)), fragmentShader(std::move(fragmentShaderPath))
{
    buildProgram();
}

Shader::Shader() : vertexShader(kFallbackVertexText), fragmentShader(kFallbackFragmentText), sourcesAreText(true)
{
    buildProgram();
}

Shader::~Shader()
{
    glUseProgram(0);
    glDeleteProgram(programHandle);
}

void Shader::use() const
{
    glUseProgram(programHandle);
}

GLint Shader::getUniformLocation(std::string name)
{
    return getUniformLocation(name.c_str());
}

GLint Shader::getUniformLocation(const char* name)
{
    for (const auto& [known, location] : uniformLocations)
        if (known == name)
            return location;
    const GLint location = glGetUniformLocation(programHandle, name);
    uniformLocations.emplace_back(name, location);
    return location;
}

void Shader::setUniform(const char* name, GLint value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniform1i(location, value);
}

void Shader::setUniform(const char* name, GLfloat value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniform1f(location, value);
}

void Shader::setUniform(const char* name, const glm::vec3& value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniform3f(location, value.x, value.y, value.z);
}

void Shader::setUniform(const char* name, const glm::vec4& value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniform4f(location, value.x, value.y, value.z, value.w);
}

void Shader::setUniform(const char* name, const glm::mat3& value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniformMatrix3fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

void Shader::setUniform(const char* name, const glm::mat4& value)
{
    const GLint location = getUniformLocation(name);
    if (location != -1)
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

void Shader::buildProgram()
{
    const GLuint vertexStage = compileShader(vertexShader, GL_VERTEX_SHADER);
    const GLuint fragmentStage = compileShader(fragmentShader, GL_FRAGMENT_SHADER);
    programHandle = linkProgram(vertexStage, fragmentStage);
}

std::string Shader::readSource(const std::string& path)
{
    const std::string resolved = resolveAssetPath(path);
    if (resolved.empty())
        fatalError("Could not find shader file: " + path);
    std::ifstream file(resolved);
    if (file.fail())
        fatalError("Unable to load file[" + resolved + "]!");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

GLuint Shader::compileShader(const std::string& textOrPath, GLenum stageType)
{
    ShaderSource prepared = sourceForThisGl(sourcesAreText ? textOrPath : readSource(textOrPath));
    samplerUnits.insert(samplerUnits.end(), prepared.samplerUnits.begin(), prepared.samplerUnits.end());
    const std::string& source = prepared.text;

    const GLuint shader = glCreateShader(stageType);
    if (shader == 0)
        fatalError("Failed to create " + std::to_string(stageType));

    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_FALSE && glIsShader(shader)) {
        if (!sourcesAreText)
            printLine("Read shader: " + textOrPath);
        return shader;
    }

    const std::string log = shaderInfoLog(shader);
    glDeleteShader(shader);
    printLine("Failed to compile shader: " + textOrPath);
    fatalError(log);
}

void Shader::setSamplerUnits(GLuint program) const
{
    if (samplerUnits.empty())
        return;
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUseProgram(program);
    for (const SamplerUnit& sampler : samplerUnits)
        glUniform1i(glGetUniformLocation(program, sampler.sampler.c_str()), sampler.unit);
    glUseProgram(static_cast<GLuint>(current));
}

GLuint Shader::linkProgram(GLuint vertexStage, GLuint fragmentStage)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexStage);
    glAttachShader(program, fragmentStage);
    glLinkProgram(program);

    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_FALSE) {
        glDetachShader(program, vertexStage);
        glDetachShader(program, fragmentStage);
        glDeleteShader(vertexStage);
        glDeleteShader(fragmentStage);
        setSamplerUnits(program);
        return program;
    }

    const std::string log = programInfoLog(program);
    printLine("Failed to link shader program:");
    glDeleteProgram(program);
    glDeleteShader(vertexStage);
    glDeleteShader(fragmentStage);
    fatalError(log);
}
