#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumeno {
namespace {

std::optional<CommandLineAnswer> Answer(std::vector<const char*> args)
{
    args.insert(args.begin(), "lumeno-kv580");
    return AnswerInformationalOption(int(args.size()), args.data());
}

TEST(CommandLine, HelpAndVersionAnswerAndEveryOtherArgumentRuns)
{
    const auto help = Answer({"-platform", "xcb", "--help"});
    ASSERT_TRUE(help);
    EXPECT_EQ(help->exitCode, 0);
    EXPECT_NE(help->text.find("--version"), std::string::npos);

    const auto version = Answer({"--version"});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->text, std::string("lumeno-kv580 ") + LUMENO_VERSION + "\n");

    EXPECT_FALSE(Answer({}));
    EXPECT_FALSE(Answer({"-platform", "offscreen", "--unknown"}));
    // After "--" nothing is an option of the program.
    EXPECT_FALSE(Answer({"--", "--help"}));
}

} // namespace
} // namespace lumeno
