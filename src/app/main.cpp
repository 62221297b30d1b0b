#include "app/CommandLine.h"
#include "app/MouseConfigurationApp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (const auto answer = lumeno::AnswerInformationalOption(argc, argv)) {
        std::fputs(answer->text.c_str(), stdout);
        return answer->exitCode;
    }
    lumeno::CMouseConfigurationApp app;
    return app.Run(argc, argv);
}
