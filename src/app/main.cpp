#include "app/MouseConfigurationApp.h"

int main(int argc, char** argv)
{
    lumeno::CMouseConfigurationApp app;
    return app.Run(argc, argv);
}
