#pragma once
// The flows' busy feedback: the wait cursor over the whole application.
#include "platform/BusyIndicator.h"

namespace lumeno {

class QtBusyIndicator final : public BusyIndicator {
public:
    void ShowBusy() override;
    void ShowIdle() override;
};

} // namespace lumeno
