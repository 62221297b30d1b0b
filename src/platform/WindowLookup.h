#pragma once
// Finding another program's top-level window by its title and posting it a
// message, as the desktop allows.
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumeno {

using WindowId = uint64_t;

class WindowLookup {
public:
    virtual ~WindowLookup() = default;

    // A top-level window (shown or hidden) whose title is exactly title;
    // nullopt when there is none or the desktop cannot be asked.
    virtual std::optional<WindowId> FindTopLevelWindow(std::string_view title) = 0;

    // Posts message with two parameters to window without waiting for it to
    // be handled. False when it could not be sent.
    virtual bool PostWindowMessage(WindowId window, uint32_t message, int64_t wParam, int64_t lParam) = 0;
};

} // namespace lumeno
