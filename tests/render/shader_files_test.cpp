#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "process.h"
#include "shader_dialect.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

// Every shader the game ships compiles with the reference GLSL compiler, not just Mesa's, both
// as written and in the GLSL ES form the browser build gives WebGL.
TEST(ShaderFiles, EveryFileCompilesWithTheReferenceCompilerAsWrittenAndAsGlslEs)
{
    const fs::path folder = fs::path(ZARNOK_SOURCE_DIR) / "assets/shaders";
    TempDir esFolder;
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const ProcessResult result = runProcess({"glslangValidator", entry.path().string()});
        EXPECT_EQ(result.exitCode, 0) << entry.path() << "\n" << result.out << result.err;

        std::ifstream in(entry.path());
        const ShaderSource es = glslEsSource(std::string(std::istreambuf_iterator<char>(in), {}));
        EXPECT_EQ(es.text.rfind("#version 300 es\n", 0), 0u) << entry.path();
        const fs::path esFile = esFolder / entry.path().filename().string();
        std::ofstream(esFile) << es.text;
        const ProcessResult esResult = runProcess({"glslangValidator", esFile.string()});
        EXPECT_EQ(esResult.exitCode, 0) << esFile << "\n" << esResult.out << es.text;
        ++checked;
    }
    EXPECT_EQ(checked, 22);
}

// What GLSL ES 3.00 has not got is taken out, and what it meant is kept: the texture units, and
// the lines a compile log names.
TEST(ShaderFiles, TheGlslEsFormKeepsTheSamplerUnitsAndTheLineNumbers)
{
    const ShaderSource es = glslEsSource("#version 330 core\n"
                                         "#extension GL_ARB_shading_language_420pack : require\n"
                                         "layout(binding = 2) uniform sampler2D tiles; // per tile\n"
                                         "uniform vec3 tint = vec3(1, 0, 0);\n"
                                         "void main() { error here }\n");
    ASSERT_EQ(es.samplerUnits.size(), 1u);
    EXPECT_EQ(es.samplerUnits[0].sampler, "tiles");
    EXPECT_EQ(es.samplerUnits[0].unit, 2);
    EXPECT_NE(es.text.find("\nuniform sampler2D tiles; // per tile\n"), std::string::npos) << es.text;
    EXPECT_NE(es.text.find("\nuniform vec3 tint;\n"), std::string::npos) << es.text;
    EXPECT_EQ(es.text.find("#extension"), std::string::npos) << es.text;

    TempDir folder;
    const fs::path file = folder / "broken.frag";
    std::ofstream(file) << es.text;
    const ProcessResult result = runProcess({"glslangValidator", file.string()});
    EXPECT_NE(result.out.find("0:5:"), std::string::npos) << "the error is on the file's line 5:\n" << result.out;
}
