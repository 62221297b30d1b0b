#include "settings/AngleSnapChoice.h"

namespace lumeno {

bool ClickAngleSnap(ConfigImage& image, int x, int y)
{
    if (kAngleSnapOnRadio.Contains(x, y)) {
        image.angleSnapEnabled = 1;
        return true;
    }
    if (kAngleSnapOffRadio.Contains(x, y)) {
        image.angleSnapEnabled = 0;
        return true;
    }
    return false;
}

} // namespace lumeno
