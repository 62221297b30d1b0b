#include "flows/PointerSettings.h"

#include "flows/AppContext.h"

namespace lumeno {

void ApplyPointerSettings(AppContext& ctx)
{
    if (ctx.pointerSettings)
        ctx.pointerSettings->Apply(ctx);
}

} // namespace lumeno
