#pragma once
// A software model of the mouse's firmware. It exposes the mouse's HID
// collections, understands every command frame and data block the program
// sends, answers the read commands, sends the DPI-stage event report when its
// DPI button is "pressed", and records all traffic with a time stamp, so that
// tests can assert byte for byte what reached the mouse.
//
// It knows nothing about how it is served: EmulatedHidSystem serves it
// in-process, lumeno-virtual-mouse over a socket or /dev/uhid. Whoever serves
// it attaches a VirtualMouseHost to receive its input reports and plug state.
//
// Threads: every public member may be called from any thread. Host callbacks
// run on the calling thread, never with the mouse's state lock held.
#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace lumeno {

class Pacer;

// The collections a virtual mouse exposes.
enum class MouseCollection {
    Commands, // usage page 0xFF01, usage 1: command frames and data blocks
    Events,   // usage page 0xFF02, usage 1: the DPI-stage event report
    Dongle,   // optional extra interface with product id 0x2C33 (no function)
};

struct VirtualCollectionInfo {
    MouseCollection collection = MouseCollection::Commands;
    int number = 1; // 1-based top-level collection number ("Col01")
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t featureReportLength = 0; // report id byte included, 0 = none
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint8_t reportId = 0; // the collection's only report id (0 = unnumbered)
};

struct VirtualMouseOptions {
    // A faulty firmware variant may report another length; the program must
    // then never connect to it.
    uint16_t commandFeatureReportLength = 9;
    // Adds a third interface with product id 0x2C33 (a receiver of the same
    // maker) that the program must not mistake for the mouse.
    bool withDongleInterface = false;
    // Distinguishes several virtual mice in interface names.
    std::string instanceId = "7&2a5c1f3b&0&0000";
};

// Ways a mouse fails while it is plugged in, beside SetFrozen (no answer)
// and SetAnswersInputReads; all off by default.
struct VirtualMouseFaults {
    // Short answer: a reply frame holds only its first kShortAnswerBytes
    // bytes (the rest zeros) and every input report is cut to that many
    // bytes after its report id.
    bool shortAnswers = false;
    // Reply frames carry a wrong checksum.
    bool wrongChecksums = false;
    // Removal in the middle of a transfer: the mouse unplugs itself right
    // after it has taken this many more reports (0 or less: never).
    int unplugAfterReports = 0;
    // Slow answer: what serving each report costs the host, on its clock
    // (EmulatedHidSystem pauses its time-out clock; the socket server sleeps).
    std::chrono::milliseconds answerDelay{0};
};
inline constexpr size_t kShortAnswerBytes = 2;

// The firmware's settings, as last written (or as it started).
struct VirtualMouseState {
    std::array<uint8_t, 4> reportRate{}; // byte 0 rate code, 1..3 firmware's own
    uint8_t currentStage = 0;            // stage index 0..7 (see StageIndex)
    uint8_t stageEnableMask = 0;         // bit 7 always set by the program
    std::array<uint8_t, 7> stageDpi{};   // as on the wire: DPI / 100 - 1
    std::array<uint8_t, 64> stageColors{};
    uint8_t sensitivityX = 0; // as on the wire: level x 20
    uint8_t sensitivityY = 0;
    std::array<uint8_t, 64> lightingBlock{}; // bytes 3..23 firmware's own
    std::array<uint8_t, 6> lightingEffect{}; // frame bytes 1..6 of the last effect
    uint8_t liftOffLevel = 0;
    std::array<uint8_t, 64> buttonMap{};
    std::array<std::array<uint8_t, 192>, 12> macroBlocks{};
};

// What crossed the wire, seen from the mouse.
enum class TrafficKind {
    SetFeature, // the program sent a feature report
    GetFeature, // the program read a feature report (bytes: the reply)
    Output,     // the program wrote an output report
    Input,      // the mouse sent an input report
};

struct TrafficRecord {
    TrafficKind kind = TrafficKind::SetFeature;
    MouseCollection collection = MouseCollection::Commands;
    std::vector<uint8_t> bytes;       // whole report, report id in byte 0
    std::chrono::milliseconds time{}; // on the clock given to the mouse
};

// The side that serves a mouse to a host system.
class VirtualMouseHost {
public:
    virtual ~VirtualMouseHost() = default;
    // The mouse sends an input report on a collection (report id in byte 0).
    virtual void OnInputReport(MouseCollection collection, std::span<const uint8_t> report) = 0;
    // The mouse was plugged in (true) or pulled out (false).
    virtual void OnPlugChanged(bool plugged) = 0;
};

class VirtualMouse {
public:
    static constexpr uint16_t kVendorId = 0x7A1F;
    static constexpr uint16_t kProductId = 0x2C41;
    static constexpr uint16_t kDongleProductId = 0x2C33;
    static constexpr uint16_t kVersion = 0x0100;
    static constexpr uint8_t kEventReportId = 4;
    static constexpr uint16_t kEventReportLength = 8;
    static constexpr uint16_t kChunkReportLength = 65;
    // Stage slots. Stages 1..7 have a DPI and an enable bit and the DPI
    // button steps through them; the button never selects stage 8.
    static constexpr uint8_t kStageSlots = 8;
    static constexpr uint8_t kButtonStages = 7;

    // The one stage numbering of the firmware (written out beside its
    // command table): its state, SwitchDpiStage and the event report hold
    // the index 0..7; the stage byte of SetDpiStagesLow, the reply of
    // GetCurrentDpiStage and lumeno-virtual-mouse's console count from 1.
    static constexpr int StageNumber(uint8_t index) { return index + 1; }
    static constexpr uint8_t StageIndex(int number) { return static_cast<uint8_t>(number - 1); }

    // clock time-stamps the traffic; nullptr uses a steady clock started now.
    // The mouse starts plugged in, with no host.
    explicit VirtualMouse(VirtualMouseOptions options = {}, const Pacer* clock = nullptr);
    ~VirtualMouse();
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    const VirtualMouseOptions& Options() const { return options_; }
    std::vector<VirtualCollectionInfo> Collections() const;

    // Attaches the serving side (nullptr detaches). Once this returns, the
    // previous host is not being called and will not be called again.
    void SetHost(VirtualMouseHost* host);

    // --- Host side: what the program does to the mouse ---
    // Each returns false when the mouse is unplugged or the collection has no
    // report of that kind; the report is then not recorded.
    bool HandleSetFeature(MouseCollection collection, std::span<const uint8_t> report);
    // report[0] is the wanted report id; on success the reply fills report.
    bool HandleGetFeature(MouseCollection collection, std::span<uint8_t> report);
    bool HandleOutputReport(MouseCollection collection, std::span<const uint8_t> report);

    // --- Physical side and fault switches ---
    void Plug();
    void Unplug();
    bool IsPlugged() const;
    // When false, the chunks of a block read are never sent (a silent mouse).
    void SetAnswersInputReads(bool answers);
    // When true, the mouse answers nothing: every report to it fails as an
    // unanswered one would, nothing is recorded and it sends no input
    // report (a hung firmware).
    void SetFrozen(bool frozen);
    // The faults above; SetFaults({}) ends them.
    void SetFaults(const VirtualMouseFaults& faults);
    VirtualMouseFaults Faults() const;
    // When true, probing any of the mouse's interfaces reports access denied.
    void SetAccessDenied(bool denied);
    bool AccessDenied() const;

    // Switches to the next enabled stage of 1..7 as the DPI button would,
    // wrapping to the first enabled one (also from stage 8), and sends the
    // event report 04 01 00 <index>.
    void PressDpiButton();
    // Switches to the stage of the index given (0..7; others are ignored)
    // and sends its event report.
    void SwitchDpiStage(uint8_t index);
    // Sends any report on the event collection (for malformed-event tests).
    void SendEventReport(std::span<const uint8_t> report);

    // --- Inspection ---
    VirtualMouseState State() const;
    std::vector<TrafficRecord> Traffic() const;
    void ClearTraffic();
    int BadChecksumCount() const;      // frames ignored for a wrong checksum
    int UnexpectedReportCount() const; // chunks that no header announced, etc.

private:
    struct Outgoing {
        MouseCollection collection;
        std::vector<uint8_t> report;
    };
    std::chrono::milliseconds Now() const;
    void HandleFrameLocked(const std::array<uint8_t, 8>& frame, std::vector<Outgoing>& out);
    void HandleChunkLocked(std::span<const uint8_t> data);
    void SendLocked(MouseCollection collection, std::vector<uint8_t> report, std::vector<Outgoing>& out);
    void Dispatch(std::vector<Outgoing> out);
    void DispatchPlug(bool plugged);
    bool HasCollection(MouseCollection collection) const;
    // Counts one report taken; true when the fault switch says the mouse is
    // to be pulled out now.
    bool CountReportLocked();

    VirtualMouseOptions options_;
    const Pacer* clock_;
    std::chrono::steady_clock::time_point start_;

    mutable std::mutex mutex_; // guards everything below
    bool plugged_ = true;
    bool answersInputReads_ = true;
    bool accessDenied_ = false;
    bool frozen_ = false;
    VirtualMouseFaults faults_;
    VirtualMouseState state_;
    std::array<uint8_t, 8> reply_{}; // frame returned by the next GetFeature
    uint8_t blockCode_ = 0;          // header of the block being received
    uint8_t blockNumber_ = 0;
    int chunksExpected_ = 0;
    int chunksReceived_ = 0;
    std::vector<uint8_t> blockData_;
    std::vector<TrafficRecord> traffic_;
    int badChecksums_ = 0;
    int unexpectedReports_ = 0;

    std::recursive_mutex hostMutex_; // held while calling the host
    VirtualMouseHost* host_ = nullptr;
};

} // namespace lumeno
