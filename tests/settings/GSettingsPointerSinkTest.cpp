// The GNOME backend against real GSettings: the installed mouse schema with
// GLib's keyfile backend in a private config folder, so the user's own
// settings are never touched. Read back through `gsettings get`.
#include "platform/linux/GSettingsPointerSink.h"
#include "flows/PointerSettings.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace lumeno {
namespace {

// Set before main, so GLib picks its backend from it at first use.
struct PrivateGSettings {
    PrivateGSettings()
    {
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
        unsetenv("GSETTINGS_SCHEMA_DIR");
    }
    test::TempDir home;
};
const PrivateGSettings g_private;

// `gsettings get` of a key of the mouse schema, without the line end.
std::string GsettingsGet(const char* key)
{
    const std::string command = std::string("gsettings get ") + kGnomeMouseSchema + " " + key + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string out;
    char buffer[128];
    while (fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

struct GSettingsSinkTest : ::testing::Test {
    void SetUp() override
    {
        if (!GSettingsPointerSink::SchemaInstalled())
            GTEST_SKIP() << "the GNOME mouse schema is not installed (gsettings-desktop-schemas)";
    }
};

TEST_F(GSettingsSinkTest, WritesTheMappedValuesIntoThePrivateKeyfile)
{
    GSettingsPointerSink sink;
    ASSERT_TRUE(sink.Usable());
    EXPECT_TRUE(sink.SetPrecision(true).ok);
    EXPECT_TRUE(sink.SetSpeed(20).ok);
    EXPECT_TRUE(sink.SetDoubleClickTime(200).ok);
    EXPECT_EQ(GsettingsGet("accel-profile"), "'adaptive'");
    EXPECT_EQ(GsettingsGet("speed"), "1.0");
    EXPECT_EQ(GsettingsGet("double-click"), "200");

    EXPECT_TRUE(sink.SetPrecision(false).ok);
    EXPECT_TRUE(sink.SetSpeed(1).ok);
    EXPECT_EQ(GsettingsGet("accel-profile"), "'flat'");
    EXPECT_EQ(GsettingsGet("speed"), "-0.90000000000000002");
    EXPECT_TRUE(std::filesystem::exists(g_private.home.path() / "glib-2.0" / "settings" / "keyfile"));
}

TEST_F(GSettingsSinkTest, WheelLinesAreRefused)
{
    GSettingsPointerSink sink;
    const auto result = sink.SetWheelLines(3);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("GNOME has no setting"), std::string::npos);
}

TEST_F(GSettingsSinkTest, AValueOutsideTheSchemaRangeIsRefusedNotAborted)
{
    GSettingsPointerSink sink;
    const auto result = sink.SetSpeed(40); // 3.0 on a -1..1 key
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("outside the range"), std::string::npos);
}

TEST(GSettingsSinkMissingSchema, EverySettingFailsWithItsLineAndTheReason)
{
    // A compiled schema folder that holds some other schema only.
    test::TempDir schemas;
    test::WriteFileBytes(schemas.path() / "org.example.other.gschema.xml",
                         "<schemalist><schema id=\"org.example.other\" path=\"/org/example/other/\">"
                         "<key name=\"k\" type=\"i\"><default>1</default></key></schema></schemalist>\n");
    const std::string compile = "glib-compile-schemas " + schemas.path().string() + " 2>/dev/null";
    if (std::system(compile.c_str()) != 0)
        GTEST_SKIP() << "glib-compile-schemas is not available (libglib2.0-bin)";
    GSettingsPointerSink sink(schemas.path().string());
    EXPECT_FALSE(sink.Usable());
    test::CapturingDebugOutput debug;
    SinkPointerSettings applier(sink, debug);
    applier.Send({true, 10, 3, 550});
    const std::string reason = std::string("GNOME: schema ") + kGnomeMouseSchema + " is not installed\n";
    ASSERT_FALSE(debug.lines.empty());
    EXPECT_TRUE(debug.lines.back().starts_with("Pointer settings sent to GNOME in "));
    debug.lines.pop_back();
    EXPECT_EQ(debug.lines, (std::vector<std::string>{"SETMOUSE failed.\n", reason, "SETMOUSESPEED failed.\n", reason,
                                                     "SETWHEELSCROLLLINES failed.\n", reason,
                                                     "SPI_SETDOUBLECLICKTIME failed.\n", reason}));
}

} // namespace
} // namespace lumeno
