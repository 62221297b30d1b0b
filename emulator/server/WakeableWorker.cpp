#include "WakeableWorker.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace lumeno {

WakeableWorker::~WakeableWorker() { Stop(); }

bool WakeableWorker::Open()
{
    if (wakeFd_ < 0)
        wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return wakeFd_ >= 0;
}

void WakeableWorker::Start(std::function<void()> body) { thread_ = std::thread(std::move(body)); }

void WakeableWorker::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const auto ignored = ::write(wakeFd_, &one, sizeof one);
}

void WakeableWorker::ConsumeWake()
{
    uint64_t count;
    [[maybe_unused]] const auto ignored = ::read(wakeFd_, &count, sizeof count);
}

void WakeableWorker::Stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        Wake();
        thread_.join();
        stopping_ = false;
    }
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    wakeFd_ = -1;
}

} // namespace lumeno
