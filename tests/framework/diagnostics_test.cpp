#include <gtest/gtest.h>

#include "diagnostics.h"

TEST(DebugMessages, NameSourceTypeAndSeverity)
{
    EXPECT_EQ(
        formatDebugMessage(GL_DEBUG_SOURCE_SHADER_COMPILER, GL_DEBUG_TYPE_ERROR, 7, GL_DEBUG_SEVERITY_HIGH, "bad"),
        "OpenGL Error: bad [Source = Shader Compiler, Type = Error, Severity = High, ID = 7]");
    EXPECT_EQ(
        formatDebugMessage(GL_DEBUG_SOURCE_WINDOW_SYSTEM, GL_DEBUG_TYPE_PORTABILITY, 1, GL_DEBUG_SEVERITY_MEDIUM, "m"),
        "OpenGL Error: m [Source = Window System, Type = Portability, Severity = Medium, ID = 1]");
    EXPECT_EQ(formatDebugMessage(GL_DEBUG_SOURCE_THIRD_PARTY, GL_DEBUG_TYPE_PERFORMANCE, 2, GL_DEBUG_SEVERITY_LOW, "p"),
              "OpenGL Error: p [Source = Third Party, Type = Performance, Severity = Low, ID = 2]");
}

TEST(DebugMessages, NotificationsArePrintedWithUnknownSeverity)
{
    EXPECT_EQ(formatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_OTHER, 4294967295u, GL_DEBUG_SEVERITY_NOTIFICATION,
                                 "note"),
              "OpenGL Error: note [Source = API, Type = Other, Severity = Unknown, ID = 4294967295]");
}

TEST(DebugMessages, AmdCategoriesShareTheNames)
{
    EXPECT_EQ(formatDebugMessage(0x9150, 0x9150, 3, GL_DEBUG_SEVERITY_LOW, "x"),
              "OpenGL Error: x [Source = Other, Type = Other, Severity = Low, ID = 3]");
    EXPECT_EQ(formatDebugMessage(0x9149, 0x914B, 3, GL_DEBUG_SEVERITY_LOW, "x"),
              "OpenGL Error: x [Source = API, Type = Deprecated Behavior, Severity = Low, ID = 3]");
    EXPECT_EQ(formatDebugMessage(0x914F, 0x914C, 3, GL_DEBUG_SEVERITY_LOW, "x"),
              "OpenGL Error: x [Source = Application, Type = Undefined Behavior, Severity = Low, ID = 3]");
}

TEST(DebugMessages, UnlistedValuesAreUnknown)
{
    EXPECT_EQ(formatDebugMessage(1, GL_DEBUG_TYPE_MARKER, 5, 2, "?"),
              "OpenGL Error: ? [Source = Unknown, Type = Unknown, Severity = Unknown, ID = 5]");
}

TEST(DebugMessages, TwoDriverIdsAreNeverPrinted)
{
    testing::internal::CaptureStdout();
    onGlDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, 131185, GL_DEBUG_SEVERITY_HIGH, -1, "hidden", nullptr);
    onGlDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, 131218, GL_DEBUG_SEVERITY_HIGH, -1, "hidden", nullptr);
    onGlDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, 131186, GL_DEBUG_SEVERITY_HIGH, -1, "shown", nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "OpenGL Error: shown [Source = API, Type = Error, Severity = High, ID = 131186]\n");
}

TEST(GlfwErrors, PrintCodeAndDescription)
{
    testing::internal::CaptureStdout();
    onGlfwError(65544, "X11: The DISPLAY environment variable is missing");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "GLFW error 65544: X11: The DISPLAY environment variable is missing\n");
}
