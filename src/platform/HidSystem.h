#pragma once
// Access to HID interfaces: the mouse's two vendor collections are found,
// opened and talked to through these two interfaces. The hidraw backend, the
// virtual-device client and the in-process emulator implement them.
//
// Report layout everywhere above this layer is the Windows one: byte 0 of
// every report buffer is the report id (0 when the collection numbers none),
// and a report's length includes that byte.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumeno {

// One HID top-level collection, as the operating system lists it. A physical
// device with several top-level collections appears as several interfaces.
struct HidInterfaceInfo {
    std::string path; // opaque; pass it back to Probe and Open unchanged
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    // False when the collection's capabilities could not be read (for
    // example an unparsable report descriptor); the fields below are then 0.
    bool capabilitiesKnown = true;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Longest report of each type in the collection plus one byte for the
    // report id, 0 when the collection has no report of that type.
    uint16_t featureReportLength = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
};

enum class HidError {
    None,         // success
    AccessDenied, // the interface exists but this user may not open it
    NotFound,     // the path no longer exists (unplugged meanwhile)
    Failed,       // any other failure
};

enum class HidOpenMode {
    Commands, // read and write; feature reports and blocking output/input
    Events,   // read only; input reports, read from a worker thread
};

enum class HidReadStatus {
    Ok,        // one input report was read
    TimedOut,  // no report arrived within the time-out
    Cancelled, // CancelRead() ended the wait
    Failed,    // the device is gone or the read failed; later reads fail too
};

struct HidReadResult {
    HidReadStatus status = HidReadStatus::Failed;
    size_t length = 0; // bytes stored into the buffer, report id included; 0 unless Ok
};

// Wait without a time-out in HidHandle::Read.
inline constexpr std::chrono::milliseconds kHidWaitForever{-1};

// An open HID collection. Closing happens in the destructor. A handle whose
// device was unplugged stays valid as an object; every call on it then fails
// at once (Read returns Failed, the others false).
//
// Threads: one thread at a time may call SetFeature/GetFeature/Write/Read on
// a handle; CancelRead may be called from any thread at any time, including
// concurrently with Read. The destructor must not run while another thread is
// inside a call on the same handle (share handles through std::shared_ptr).
class HidHandle {
public:
    virtual ~HidHandle() = default;

    // Sends one feature report; report[0] is the report id, report.size() is
    // normally the collection's feature report length. True when the device
    // accepted it.
    virtual bool SetFeature(std::span<const uint8_t> report) = 0;

    // Reads one feature report into report; report[0] holds the wanted report
    // id on entry. On success the whole buffer is the reply (id first). On
    // failure the buffer's contents are unspecified and false is returned.
    virtual bool GetFeature(std::span<uint8_t> report) = 0;

    // Writes one output report (report[0] = report id). Blocks until the
    // device took it or failed. True on success.
    virtual bool Write(std::span<const uint8_t> report) = 0;

    // Reads the next input report into buffer (report id in byte 0), waiting
    // at most timeout (kHidWaitForever: no limit; zero: only what is queued).
    // A report longer than the buffer is cut to the buffer's size.
    virtual HidReadResult Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout) = 0;

    // Makes the pending Read return Cancelled promptly. When no Read is
    // pending, the next Read on this handle returns Cancelled at once instead
    // (the cancel is latched until one Read has consumed it), so a cancel
    // that races with the start of a Read is never lost. Any thread.
    virtual void CancelRead() = 0;
};

enum class HidNoticeKind {
    Arrival, // an interface appeared
    Removal, // an interface is gone (already closed by the system)
};

// Called once per interface that appears or disappears. interfaceName is the
// system's name of the interface and carries the ids in the Windows spelling,
// for example "\\?\HID#VID_7A1F&PID_2C41&MI_01&Col01#...".
using HidNoticeCallback = std::function<void(HidNoticeKind kind, const std::string& interfaceName)>;

class HidSystem {
public:
    virtual ~HidSystem() = default;

    // Every HID collection present now, in a stable order. nullopt when the
    // list cannot be had at all (an empty vector means: nothing is present).
    virtual std::optional<std::vector<HidInterfaceInfo>> Enumerate() = 0;

    // Opens the path without access rights and closes it again, to learn
    // whether it can be opened at all. AccessDenied is reported apart from
    // every other failure.
    virtual HidError Probe(const std::string& path) = 0;

    // Opens the collection for real. Returns nullptr on failure and, when
    // error is given, stores the reason there (None on success).
    virtual std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode mode, HidError* error = nullptr) = 0;

    // Installs the receiver of arrival and removal notices, replacing any
    // earlier one; an empty function removes it. The callback may run on a
    // thread of the implementation (the emulator calls it from inside its
    // plug and unplug calls); receivers that act on the UI forward it to the
    // UI thread. Once this returns, the previous callback is no longer
    // running and will not be called again; so it must not be called from
    // inside a callback.
    virtual void SetNoticeCallback(HidNoticeCallback callback) = 0;
};

} // namespace lumeno
