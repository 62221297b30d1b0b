#include "device/EventReader.h"

#include "device/DeviceConnection.h"
#include "platform/DeviceNoticeSink.h"
#include "platform/HidSystem.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lumeno {

namespace {
// After a failed read (the mouse going away) the reader waits for a wake, but
// looks again after this long in case the failure was passing.
constexpr std::chrono::milliseconds kRetryAfterFailure{1000};
} // namespace

// Everything the reader thread and the UI thread share; owned jointly so
// that a notice still queued for the UI thread can outlive the reader.
struct EventReader::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool wake = false;
    uint64_t handledNotices = 0;
    std::shared_ptr<HidHandle> reading; // the handle a read is pending on
};

EventReader::EventReader(DeviceConnection& connection, DeviceNoticeSink& notices)
    : connection_(connection), notices_(notices), shared_(std::make_shared<Shared>())
{
    // A newly opened event collection must be read from at once.
    connection_.SetEventInterfaceHook([this] { Wake(); });
}

EventReader::~EventReader()
{
    Stop();
    connection_.SetEventInterfaceHook({});
}

void EventReader::Start()
{
    if (thread_.joinable()) {
        Wake();
        return;
    }
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->stop)
            return;
    }
    thread_ = std::thread(&EventReader::Run, std::ref(connection_), std::ref(notices_), shared_);
}

void EventReader::Wake()
{
    std::lock_guard lock(shared_->mutex);
    shared_->wake = true;
    if (shared_->reading)
        shared_->reading->CancelRead();
    shared_->changed.notify_all();
}

void EventReader::Stop()
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
        if (shared_->reading)
            shared_->reading->CancelRead();
        shared_->changed.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
}

void EventReader::Run(DeviceConnection& connection, DeviceNoticeSink& notices, std::shared_ptr<Shared> shared)
{
    std::array<uint8_t, kEventBufferSize> buffer{};
    std::unique_lock lock(shared->mutex);
    while (!shared->stop) {
        shared->wake = false;
        std::shared_ptr<HidHandle> handle = connection.MouseConnected() ? connection.EventHandle() : nullptr;
        if (!handle) {
            shared->changed.wait(lock, [&] { return shared->stop || shared->wake; });
            continue;
        }

        shared->reading = handle;
        lock.unlock();
        const size_t wanted = connection.EventReportLength();
        const size_t length = wanted == 0 ? buffer.size() : std::min(wanted, buffer.size());
        const HidReadResult result = handle->Read(std::span(buffer.data(), length), kHidWaitForever);
        lock.lock();
        shared->reading = nullptr;
        if (shared->stop)
            break;

        if (result.status == HidReadStatus::Failed) {
            shared->changed.wait_for(lock, kRetryAfterFailure, [&] { return shared->stop || shared->wake; });
            continue;
        }
        const bool dpiReport = result.status == HidReadStatus::Ok && result.length > kEventStageIndex &&
                               buffer[kEventReportIdIndex] == kEventReportId &&
                               buffer[kEventKindIndex] == kEventDpiStageChanged;
        if (!dpiReport || !connection.MouseConnected())
            continue;

        // Hand the notice over and wait until the UI thread has handled it,
        // or until the reader is stopped.
        const uint64_t ticket = shared->handledNotices + 1;
        lock.unlock();
        notices.PostNotice(DeviceNoticeKind::DpiStageChanged, buffer[kEventStageIndex], [shared, ticket] {
            std::lock_guard done(shared->mutex);
            shared->handledNotices = std::max(shared->handledNotices, ticket);
            shared->changed.notify_all();
        });
        lock.lock();
        shared->changed.wait(lock, [&] { return shared->stop || shared->handledNotices >= ticket; });
    }
}

} // namespace lumeno
