#pragma once
// One running copy per user session: the first process takes a named lock,
// later ones learn that it is taken and exit.
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
    virtual InstanceLock Acquire(std::string_view name) = 0;

    // Gives the lock up; harmless when not held. The lock also ends with the
    // process, so a crashed copy never blocks the next start.
    virtual void Release() = 0;
};

} // namespace lumeno
