#pragma once
// Serves virtual mice, in-process, through the HidSystem interface: each
// collection of a plugged mouse is one interface, named the way Windows
// names HID interfaces ("\\?\HID#VID_7A1F&PID_2C41&MI_01&Col01#..."), so the
// program's name filter is exercised as written. Unplugging a mouse fails
// its open handles and sends removal notices; plugging it sends arrivals.
#include "VirtualMouse.h"
#include "platform/HidSystem.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace lumeno {

class Pacer;

// How long a report waits for a slow mouse (VirtualMouseFaults::answerDelay)
// before it counts as unanswered: as long as the socket client waits.
inline constexpr std::chrono::milliseconds kEmulatedAnswerLimit{2000};

// How interface names spell the ids.
enum class InterfaceNameStyle {
    Upper, // "\\?\HID#VID_7A1F&PID_2C41&MI_01&Col01#..."
    Mixed, // "\\?\HID#Vid_7a1f&Pid_2c41&MI_01&Col01#..."
    Lower, // "\\?\hid#vid_7a1f&pid_2c41&mi_01&col01#..."
};

class EmulatedHidSystem final : public HidSystem {
public:
    // timeoutClock: when given, a timed Read that finds no report pauses this
    // clock for the time-out instead of waiting for real, so a silent mouse
    // costs tests no wall time. Reads without a time-out always really wait.
    explicit EmulatedHidSystem(Pacer* timeoutClock = nullptr);
    ~EmulatedHidSystem() override;

    // Serves mouse (not owned; it must stay alive until RemoveMouse or the
    // destruction of this system). Sends no notices.
    void AddMouse(VirtualMouse& mouse, InterfaceNameStyle style = InterfaceNameStyle::Upper);
    void RemoveMouse(VirtualMouse& mouse);
    // An interface of some other device, listed before the mice; Probe and
    // Open on it report probeResult, and an opened one never answers.
    void AddForeignInterface(const HidInterfaceInfo& info, HidError probeResult = HidError::None);
    // When true, Enumerate fails (the list cannot be had).
    void SetEnumerationFails(bool fails);

    static std::string InterfaceName(const VirtualMouse& mouse, const VirtualCollectionInfo& collection,
                                     InterfaceNameStyle style);

    std::optional<std::vector<HidInterfaceInfo>> Enumerate() override;
    HidError Probe(const std::string& path) override;
    std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode mode, HidError* error) override;
    void SetNoticeCallback(HidNoticeCallback callback) override;

private:
    struct HandleState;
    class Handle;
    struct Served;
    struct Foreign {
        HidInterfaceInfo info;
        HidError probeResult;
    };

    // Finds the interface of path: the mouse and collection, or a foreign one.
    struct Located {
        Served* served = nullptr;
        VirtualCollectionInfo collection;
        const Foreign* foreign = nullptr;
    };
    Located LocateLocked(const std::string& path);
    void OnInput(Served& served, MouseCollection collection, std::span<const uint8_t> report);
    void OnPlug(Served& served, bool plugged);
    void Notify(HidNoticeKind kind, const std::vector<std::string>& names);

    Pacer* timeoutClock_;
    std::mutex mutex_; // guards the lists below
    std::vector<std::unique_ptr<Served>> mice_;
    std::vector<Foreign> foreign_;
    bool enumerationFails_ = false;

    std::recursive_mutex callbackMutex_; // held while calling the notice callback
    HidNoticeCallback callback_;
};

} // namespace lumeno
