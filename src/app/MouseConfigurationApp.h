#pragma once
// CMouseConfigurationApp: the program's entry. One copy per session (a
// second one asks the running one to come forward and exits), then the main
// window, initialised hidden, and the event loop until "Exit".
namespace lumeno {

inline constexpr char kSingleInstanceName[] = "Lumeno-KV580 Pro_Mutex";

class CMouseConfigurationApp {
public:
    // Runs the program; returns the process exit code.
    int Run(int argc, char** argv);
};

} // namespace lumeno
