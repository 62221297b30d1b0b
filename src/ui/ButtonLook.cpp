#include "ui/ButtonLook.h"

namespace lumeno {

ButtonLook PickButtonLook(const ButtonLookState& s)
{
    if (!s.enabled)
        return ButtonLook::Disabled;
    if (s.toggleMode)
        return s.checked ? ButtonLook::Pressed : ButtonLook::Normal;
    if (!s.keepHoverWhenInactive && !s.parentActive)
        return ButtonLook::Normal;
    if (s.down)
        return ButtonLook::Pressed;
    if (s.hover)
        return ButtonLook::Hover;
    return ButtonLook::Normal;
}

} // namespace lumeno
