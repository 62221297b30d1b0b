// lumeno-virtual-mouse: the mouse's firmware model, served as virtual HID
// devices (sockets in the virtual-device folder, or real kernel devices
// through /dev/uhid), driven by commands on standard input.
#include "TrafficLog.h"
#include "UhidServer.h"
#include "VirtualHidServer.h"
#include "VirtualMouse.h"
#include "platform/linux/VirtualHidFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

#ifndef LUMENO_VERSION
#define LUMENO_VERSION "0"
#endif

namespace {

using namespace lumeno;

// Bounds of the fault command's numbers.
constexpr long kMaxAnswerDelayMs = 60'000;
constexpr long kMaxUnplugAfter = 1'000'000;

constexpr const char* kUsage = "Usage: lumeno-virtual-mouse [OPTION]...\n"
                               "Plays the Lumeno-KV580 Pro mouse for the configuration program: serves its\n"
                               "HID collections as virtual devices until told to stop.\n"
                               "\n"
                               "Options:\n"
                               "  --uhid               serve real kernel HID devices through /dev/uhid\n"
                               "  --folder DIR         virtual-device folder (default:\n"
                               "                       $XDG_RUNTIME_DIR/lumeno-kv580/virtual-hid)\n"
                               "  --instance ID        instance part of the interface names\n"
                               "  --with-dongle        add a receiver interface with product id 2C33\n"
                               "  --feature-length N   feature report length of the command collection\n"
                               "                       (default 9; anything else imitates a faulty firmware)\n"
                               "  --unplugged          start unplugged\n"
                               "  --help               show this help and exit\n"
                               "  --version            show the version and exit\n"
                               "\n"
                               "Commands on standard input, one per line:\n"
                               "  dpi N     switch to DPI stage N (1-8) and send the event report\n"
                               "  press     press the DPI button (the next enabled stage of 1-7; after\n"
                               "            the last one, or from stage 8, the first enabled one)\n"
                               "  unplug    pull the mouse out\n"
                               "  plug      plug it in again\n"
                               "  fault F   fail the program's reports: none, silent (no answer), short\n"
                               "            (replies and input reports cut short), checksum (replies with\n"
                               "            a wrong checksum), slow MS (each report MS milliseconds late)\n"
                               "            or unplug-after N (pulled out after N more reports)\n"
                               "  state     print what the firmware holds (\"state <key> <value>\" lines,\n"
                               "            then \"state end\"); \"state lighting ...\" says what the\n"
                               "            light shows, e.g. \"breathing, cyan (#00ffff), speed 5 of 5\"\n"
                               "  quit      stop (so do SIGINT and SIGTERM; the end of input does not, so\n"
                               "            the program may run in the background with no input)\n"
                               "\n"
                               "Output, one line each: \"ready ...\" once serving; every report received,\n"
                               "decoded (\"frame <Command> <field>=<value>... [bytes]\", \"reply ...\",\n"
                               "\"chunk <Block> block=N i/n [bytes]\"); every report sent (\"input ...\",\n"
                               "\"event DpiStageChanged stage=N [bytes]\"); \"plugged\", \"unplugged\";\n"
                               "\"error <text>\" for a command that cannot be done.\n"
                               "\n"
                               "Stages count from 1 in the commands, in \"state\" and in the lines, as in\n"
                               "the stage byte of the frames; the event report's own byte is the index\n"
                               "(stage 3 is sent as 02).\n";

std::mutex outputMutex;

void Print(const std::string& line)
{
    std::lock_guard lock(outputMutex);
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

struct Options {
    bool uhid = false;
    bool startUnplugged = false;
    std::string folder;
    VirtualMouseOptions mouse;
};

// nullopt-like: returns false and prints the reason for a bad command line.
bool ParseArguments(int argc, char** argv, Options& options, int& exitCode)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            exitCode = 0;
            return false;
        } else if (arg == "--version") {
            std::printf("lumeno-virtual-mouse %s\n", LUMENO_VERSION);
            exitCode = 0;
            return false;
        } else if (arg == "--uhid") {
            options.uhid = true;
        } else if (arg == "--with-dongle") {
            options.mouse.withDongleInterface = true;
        } else if (arg == "--unplugged") {
            options.startUnplugged = true;
        } else if (arg == "--folder" || arg == "--instance" || arg == "--feature-length") {
            const char* v = value();
            if (!v) {
                std::fprintf(stderr, "lumeno-virtual-mouse: %s needs a value\n", arg.c_str());
                exitCode = 2;
                return false;
            }
            if (arg == "--folder") {
                options.folder = v;
            } else if (arg == "--instance") {
                options.mouse.instanceId = v;
            } else {
                char* end = nullptr;
                const long n = std::strtol(v, &end, 10);
                if (*v == '\0' || *end != '\0' || n < 1 || n > 280) {
                    std::fprintf(stderr, "lumeno-virtual-mouse: --feature-length wants 1..280, not '%s'\n", v);
                    exitCode = 2;
                    return false;
                }
                options.mouse.commandFeatureReportLength = static_cast<uint16_t>(n);
            }
        } else {
            std::fprintf(stderr, "lumeno-virtual-mouse: unknown option '%s' (try --help)\n", arg.c_str());
            exitCode = 2;
            return false;
        }
    }
    return true;
}

// The faults of "fault ..." and whether the mouse is silent; nullopt when
// the words name none.
std::optional<std::pair<VirtualMouseFaults, bool>> ParseFault(std::istringstream& in)
{
    std::string kind, rest;
    in >> kind;
    VirtualMouseFaults faults;
    bool silent = false;
    long number = 0;
    const bool wantsNumber = kind == "slow" || kind == "unplug-after";
    if (wantsNumber && !(in >> number))
        return std::nullopt;
    if (in >> rest)
        return std::nullopt;
    if (kind == "silent")
        silent = true;
    else if (kind == "short")
        faults.shortAnswers = true;
    else if (kind == "checksum")
        faults.wrongChecksums = true;
    else if (kind == "slow" && number > 0 && number <= kMaxAnswerDelayMs)
        faults.answerDelay = std::chrono::milliseconds(number);
    else if (kind == "unplug-after" && number > 0 && number <= kMaxUnplugAfter)
        faults.unplugAfterReports = int(number);
    else if (kind != "none")
        return std::nullopt;
    return std::pair{faults, silent};
}

// Runs one command line; false when it asks to stop.
bool RunCommand(const std::string& line, VirtualMouse& mouse)
{
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command.empty())
        return true;
    if (command == "quit")
        return false;
    if (command == "dpi") {
        int stage = 0;
        std::string rest;
        if (!(in >> stage) || (in >> rest) || stage < 1 || stage > 8)
            Print("error dpi wants a stage 1..8");
        else if (!mouse.IsPlugged())
            Print("error unplugged");
        else
            mouse.SwitchDpiStage(VirtualMouse::StageIndex(stage));
    } else if (command == "press") {
        if (!mouse.IsPlugged())
            Print("error unplugged");
        else
            mouse.PressDpiButton();
    } else if (command == "unplug" || command == "plug") {
        const bool plug = command == "plug";
        if (mouse.IsPlugged() == plug)
            Print(plug ? "plugged" : "unplugged"); // already so: nothing changes
        else if (plug)
            mouse.Plug();
        else
            mouse.Unplug();
    } else if (command == "fault") {
        if (const auto faults = ParseFault(in)) {
            mouse.SetFrozen(faults->second);
            mouse.SetFaults(faults->first);
            Print("fault " + line.substr(line.find("fault") + 6));
        } else {
            Print("error fault wants none, silent, short, checksum, slow MS or unplug-after N");
        }
    } else if (command == "state") {
        for (const auto& l : TrafficLog::StateLines(mouse.State(), mouse.IsPlugged()))
            Print(l);
    } else {
        Print("error unknown command '" + command + "'");
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    int exitCode = 0;
    if (!ParseArguments(argc, argv, options, exitCode))
        return exitCode;

    // Signals arrive through a descriptor, so that the sockets are always
    // removed on the way out.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);

    VirtualMouse mouse(options.mouse);
    if (options.startUnplugged)
        mouse.Unplug();

    std::unique_ptr<VirtualHidServer> sockets;
    std::unique_ptr<UhidServer> uhid;
    std::string error;
    if (options.uhid) {
        uhid = std::make_unique<UhidServer>(mouse, Print);
        if (!uhid->Start(&error)) {
            std::fprintf(stderr, "lumeno-virtual-mouse: %s\n", error.c_str());
            std::fprintf(stderr, "lumeno-virtual-mouse: --uhid needs the uhid module (modprobe uhid) and write "
                                 "access to /dev/uhid (usually root)\n");
            return 1;
        }
        Print("ready uhid");
    } else {
        const std::filesystem::path folder =
            options.folder.empty() ? DefaultVirtualHidFolder() : std::filesystem::path(options.folder);
        sockets = std::make_unique<VirtualHidServer>(mouse, folder, Print);
        if (!sockets->Start(&error)) {
            std::fprintf(stderr, "lumeno-virtual-mouse: %s\n", error.c_str());
            return 1;
        }
        Print("ready socket " + folder.string());
    }

    std::string pending;
    bool inputOpen = true;
    for (bool running = true; running;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {inputOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents)
            break;
        if (!fds[1].revents)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            // End of input: run what is left and serve on until a signal.
            if (!pending.empty())
                running = RunCommand(pending, mouse);
            pending.clear();
            inputOpen = false;
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t eol; running && (eol = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, eol);
            pending.erase(0, eol + 1);
            running = RunCommand(line, mouse);
        }
    }
    if (sockets)
        sockets->Stop();
    if (uhid)
        uhid->Stop();
    Print("bye");
    return 0;
}
