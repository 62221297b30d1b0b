#pragma once
// What the process holds once: the stored state of the current profile and
// the link to the mouse. Passed by reference; there are no mutable globals.
// While a flow runs, the device worker owns it; the UI thread reads it again
// when the flow has reported back.
#include "config/ProfileList.h"
#include "config/ProfileStore.h"

namespace lumeno {

class DeviceLink;
class PointerSettingsApplier;

struct AppContext : ProfileStore {
    using ProfileStore::ProfileStore;

    DeviceLink* device = nullptr;                      // the link to the mouse; null where there is none
    PointerSettingsApplier* pointerSettings = nullptr; // null: the desktop is left as it is
    ProfileSession profiles;                           // active position, "new" flags, import pending
};

} // namespace lumeno
