#include "app/StartupSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumeno {
namespace {

struct RecordingSteps final : StartupSteps {
    void SetIcons() override { calls.push_back("icons"); }
    void ShowSplash() override { calls.push_back("splash"); }
    void SetTitle() override { calls.push_back("title"); }
    bool StartDeviceSession() override
    {
        calls.push_back("device");
        return deviceStarts;
    }
    void LoadProfileFiles() override { calls.push_back("files"); }
    void CreateWindow() override { calls.push_back("window"); }
    void ShowMouseState() override { calls.push_back("mouse state"); }
    void ApplyPointerSettings() override { calls.push_back("pointer"); }
    void NotifyCompanion() override { calls.push_back("companion"); }
    void Finish() override { calls.push_back("finish"); }
    bool deviceStarts = true;
    std::vector<std::string> calls;
};

TEST(StartupSequence, RunsItsStepsInTheirFixedOrder)
{
    RecordingSteps steps;
    EXPECT_TRUE(RunStartupSequence(steps));
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"icons", "splash", "title", "device", "files", "window",
                                                     "mouse state", "pointer", "companion", "finish"}));
}

TEST(StartupSequence, StopsWhenTheDeviceSessionCannotStart)
{
    RecordingSteps steps;
    steps.deviceStarts = false;
    EXPECT_FALSE(RunStartupSequence(steps));
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"icons", "splash", "title", "device"}));
}

} // namespace
} // namespace lumeno
