#include "device/DeviceConnection.h"

#include "device/CommandFrame.h"

#include "platform/DebugOutput.h"

#include <algorithm>
#include <array>

namespace lumeno {

// The two searches share their steps; they differ only in these rules.
struct DeviceConnection::SearchRules {
    const char* openLine;
    const char* attributeLine;
    const char* successLine;
    const char* capabilitiesLine;
    uint16_t usagePage;
    bool needsInputReport;    // event collection: input length not 0
    bool needsFeatureLength9; // command collection: feature length exactly 9
    bool skipDeniedAfterIds;  // a denied probe is skipped after the id check
    bool skipDeniedOnFailure; // a denied probe turns later failures into "next"
    HidOpenMode mode;
};

namespace {

constexpr int kErrorSuccess = 0;
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorGenFailure = 31;

const DeviceConnection::SearchRules* EventRules();
const DeviceConnection::SearchRules* CommandRules();

} // namespace

int DiagnosticErrorCode(HidError error)
{
    switch (error) {
    case HidError::None:
        return kErrorSuccess;
    case HidError::AccessDenied:
        return kErrorAccessDenied;
    case HidError::NotFound:
        return kErrorFileNotFound;
    case HidError::Failed:
        break;
    }
    return kErrorGenFailure;
}

DeviceConnection::DeviceConnection(HidSystem& hid, DebugOutput& debug) : hid_(hid), debug_(debug) {}

DeviceConnection::Found DeviceConnection::Search(const SearchRules& rules)
{
    const auto list = hid_.Enumerate();
    if (!list)
        return {};
    for (const HidInterfaceInfo& info : *list) {
        devicePath_ = info.path;
        const HidError probeError = hid_.Probe(info.path);
        DebugPrintf(debug_, rules.openLine, DiagnosticErrorCode(probeError));
        const bool denied = probeError == HidError::AccessDenied;
        if (probeError != HidError::None) {
            if (denied)
                continue;
            return {};
        }

        DebugPrintf(debug_, rules.attributeLine, info.productId, info.vendorId, info.version);
        if (info.vendorId != kMouseVendorId || info.productId != kMouseProductId)
            continue;
        if (rules.skipDeniedAfterIds && denied)
            continue;

        debug_.Write(rules.successLine);
        if (!info.capabilitiesKnown) {
            if (rules.skipDeniedOnFailure && denied)
                continue;
            debug_.Write("HidD_GetPreparsedData failed.\n");
            return {};
        }
        DebugPrintf(debug_, rules.capabilitiesLine, info.path.c_str(), info.usage, info.usagePage,
                    info.featureReportLength, info.inputReportLength, info.outputReportLength);

        const bool wanted = info.usage == kVendorCollectionUsage && info.usagePage == rules.usagePage &&
                            (!rules.needsInputReport || info.inputReportLength != 0) &&
                            (!rules.needsFeatureLength9 || info.featureReportLength == kRequiredFeatureReportLength);
        if (!wanted)
            continue;
        auto handle = hid_.Open(info.path, rules.mode);
        if (!handle) {
            if (rules.skipDeniedOnFailure && denied)
                continue;
            return {};
        }
        return {std::move(handle), info};
    }
    debug_.Write("SetupDiEnumDeviceInterfaces failed.\n");
    return {};
}

bool DeviceConnection::FindEventInterface()
{
    Found found = Search(*EventRules());
    if (!found.handle)
        return false;
    eventLength_.store(found.info.inputReportLength);
    {
        std::lock_guard lock(eventHandleMutex_);
        eventHandle_ = std::move(found.handle);
    }
    if (eventInterfaceHook_)
        eventInterfaceHook_();
    debug_.Write("Vender OK");
    return true;
}

bool DeviceConnection::FindCommandInterface()
{
    Found found = Search(*CommandRules());
    if (!found.handle)
        return false;
    outputLength_ = found.info.outputReportLength;
    inputLength_ = found.info.inputReportLength;
    featureLength_ = found.info.featureReportLength;
    commandHandle_ = std::move(found.handle);
    connected_.store(true);
    debug_.Write("Handler OK");
    return true;
}

bool DeviceConnection::CheckConnection() { return FindEventInterface() && FindCommandInterface(); }

bool DeviceConnection::Answers()
{
    const auto handle = commandHandle_;
    if (!handle)
        return false;
    // Reading the reply of the last command changes nothing on the mouse.
    std::array<uint8_t, kCommandFeatureReportLength> report{};
    const size_t length = featureLength_ == 0 ? report.size() : std::min<size_t>(featureLength_, report.size());
    return handle->GetFeature(std::span(report.data(), length));
}

void DeviceConnection::CloseHandles()
{
    commandHandle_.reset();
    std::shared_ptr<HidHandle> events;
    {
        std::lock_guard lock(eventHandleMutex_);
        events.swap(eventHandle_);
    }
    if (events)
        events->CancelRead();
}

std::shared_ptr<HidHandle> DeviceConnection::EventHandle() const
{
    std::lock_guard lock(eventHandleMutex_);
    return eventHandle_;
}

namespace {

const DeviceConnection::SearchRules kEventRules{
    "EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = %d\n",
    "EnumHidMouseVender3360 PID:%04x,VID:%04x,VersionNumber:%04x\n",
    "nEnumHidMouseVender3360 Find our hid device.Success\n",
    "nEnumHidMouseVender 3360 DevicePath:%s,Usage:0x%04x,UsagePage:0x%04x,"
    "FeatureReportByteLength:0x%04x,InputReportByteLength:0x%x,OutputReportByteLength:0x%x\n",
    kEventUsagePage,
    /*needsInputReport*/ true,
    /*needsFeatureLength9*/ false,
    /*skipDeniedAfterIds*/ false,
    /*skipDeniedOnFailure*/ true,
    HidOpenMode::Events,
};

const DeviceConnection::SearchRules kCommandRules{
    "EnumHidMouseHandle3360 ReadWriteInfo GetLastError dwErrorCode = %d\n",
    "EnumHidMouseHandle3360 PID:%04x,VID:%04x,VersionNumber:%04x\n",
    "EnumHidMouseHandle3360 Find our hid device.Success\n",
    "EnumHidMouseHandle3360 DevicePath:%s,Usage:0x%04x,UsagePage:0x%04x,"
    "FeatureReportByteLength:0x%04x,InputReportByteLength:0x%x,OutputReportByteLength:0x%x\n",
    kCommandUsagePage,
    /*needsInputReport*/ false,
    /*needsFeatureLength9*/ true,
    /*skipDeniedAfterIds*/ true,
    /*skipDeniedOnFailure*/ false,
    HidOpenMode::Commands,
};

const DeviceConnection::SearchRules* EventRules() { return &kEventRules; }
const DeviceConnection::SearchRules* CommandRules() { return &kCommandRules; }

} // namespace

} // namespace lumeno
