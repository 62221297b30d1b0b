#pragma once
// The worker that listens to the mouse's own reports: it waits on the event
// collection and hands every DPI-stage report to the UI thread as a device
// notice, waiting until it has been handled.
//
// Event report (report id in byte 0):
//   byte 0  4   mouse event
//   byte 1  1   DPI stage changed
//   byte 2      not used
//   byte 3      new stage index, 0 for the first stage
// Reports with other values in bytes 0 or 1 are ignored.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

namespace lumeno {

class DeviceConnection;
class DeviceNoticeSink;

inline constexpr uint8_t kEventReportId = 4;
inline constexpr uint8_t kEventDpiStageChanged = 1;
inline constexpr size_t kEventReportIdIndex = 0;
inline constexpr size_t kEventKindIndex = 1;
inline constexpr size_t kEventStageIndex = 3;
inline constexpr size_t kEventBufferSize = 80;

class EventReader {
public:
    // The thread is not started yet (the mouse may be absent).
    EventReader(DeviceConnection& connection, DeviceNoticeSink& notices);
    // Stops and joins the thread.
    ~EventReader();
    EventReader(const EventReader&) = delete;
    EventReader& operator=(const EventReader&) = delete;

    // Starts the thread; later calls only wake it. UI thread.
    void Start();
    // Makes the reader look at the connection again: a pending read is
    // abandoned and, when the mouse is connected, a new one is started on the
    // current event handle. Any thread.
    void Wake();
    // Ends the thread and waits for it. Returns promptly in every state: a
    // pending read is cancelled, and a notice that is waiting to be handled is
    // given up. UI thread.
    void Stop();

    bool Started() const { return thread_.joinable(); }

private:
    struct Shared;
    static void Run(DeviceConnection& connection, DeviceNoticeSink& notices, std::shared_ptr<Shared> shared);

    DeviceConnection& connection_;
    DeviceNoticeSink& notices_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace lumeno
