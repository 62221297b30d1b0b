#pragma once
// The busy feedback of the flows (the wait cursor): a flow blocks the UI
// thread for up to a few seconds and shows this meanwhile.
namespace lumeno {

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    // Called on the UI thread, always in pairs, never nested by the flows.
    virtual void ShowBusy() = 0;
    virtual void ShowIdle() = 0;
};

// Shows busy for the lifetime of the scope, also when the scope is left by
// an exception.
class BusyScope {
public:
    explicit BusyScope(BusyIndicator* indicator) : indicator_(indicator)
    {
        if (indicator_)
            indicator_->ShowBusy();
    }
    ~BusyScope()
    {
        if (indicator_)
            indicator_->ShowIdle();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyIndicator* indicator_;
};

} // namespace lumeno
