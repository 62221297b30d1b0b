#pragma once
// One running copy per user session: the first process takes a named lock,
// later ones learn that it is taken, ask the running copy to come forward
// and exit.
#include <string_view>

namespace lumeno {

enum class InstanceLock {
    Acquired,       // this process is the one copy
    AlreadyRunning, // another process holds the lock
    Unavailable,    // the lock could not be made at all (no usable folder)
};

class SingleInstance {
public:
    virtual ~SingleInstance() = default;

    // Takes the lock called name for the lifetime of this object (or until
    // Release). UI thread only. Only AlreadyRunning means "exit": a desktop
    // that cannot offer the lock should not keep the program from running.
    // When Acquired, other copies can reach this one from now on (unless
    // RequestDescriptor says otherwise).
    virtual InstanceLock Acquire(std::string_view name) = 0;

    // Gives the lock up; harmless when not held. The lock also ends with the
    // process, so a crashed copy never blocks the next start.
    virtual void Release() = 0;

    // After Acquire returned AlreadyRunning: asks the copy that holds the
    // lock to come forward. Returns once the request is delivered, without
    // waiting for the other copy to act on it; false when that copy could
    // not be reached. Never waits longer than a moment.
    virtual bool AskRunningCopyForward() = 0;

    // While the lock is held: a descriptor that turns readable when another
    // copy has asked this one to come forward; -1 when no other copy can
    // reach this one.
    virtual int RequestDescriptor() const = 0;

    // Takes the requests that wait now, without blocking; returns how many.
    virtual int TakeRequests() = 0;
};

} // namespace lumeno
