#include "ui/UiTestApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumeno::test {
namespace {
std::unique_ptr<QApplication> app;
int argc = 1;
char name[] = "lumeno-ui-test";
char* argv[] = {name, nullptr};
} // namespace

QApplication& UiApp()
{
    if (!app) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    return *app;
}

void DestroyUiApp() { app.reset(); }

} // namespace lumeno::test

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    lumeno::test::DestroyUiApp();
    return result;
}
