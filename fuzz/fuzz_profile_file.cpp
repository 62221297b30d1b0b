// Feeds arbitrary bytes to the loader as a profile's configuration file
// ("config0.bin", 1893 bytes when whole), then sends the image to a virtual
// mouse with every command and data block WriteAll and the lift-off write
// build from it, on a virtual clock. Nothing may crash; the image must hold
// the file's bytes; every frame must reach the mouse with a valid checksum
// and every chunk where a header announced it; the saved file must be the
// flag byte and the image.
#include "FuzzFolder.h"

#include "config/ConfigFiles.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedHidSystem.h"
#include "emulator/VirtualMouse.h"
#include "flows/AppContext.h"
#include "flows/WriteFlows.h"
#include "platform/Pacer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace lumeno;

fuzz::DataFiles run;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path dir = run.folder.Path() / kDataFolderName;
    std::filesystem::create_directories(dir);
    fuzz::WriteWholeFile(dir / ConfigFileName(0), data, size);

    VirtualPacer pacer;
    VirtualMouse mouse({}, &pacer);
    EmulatedHidSystem hid(&pacer);
    hid.AddMouse(mouse);
    DeviceLink link(hid, pacer, run.debug);
    AppContext ctx{run.debug, run.paths, run.files};
    ctx.device = &link;
    ctx.languageCode = "EN";
    if (!link.connection.CheckConnection())
        fuzz::Fail("the virtual mouse is not found");

    LoadPositionConfigFile(ctx, 0);
    const size_t imageBytes = size > 1 ? std::min(size - 1, kConfigImageSize) : 0;
    if (!std::equal(data + 1, data + 1 + imageBytes, ctx.image.Bytes().begin()))
        fuzz::Fail("the image does not hold the file's bytes");

    mouse.ClearTraffic();
    if (!WriteAll(ctx).saved || !WriteLiftOff(ctx).saved)
        fuzz::Fail("a flow did not save");
    if (mouse.BadChecksumCount() != 0 || mouse.UnexpectedReportCount() != 0)
        fuzz::Fail("a frame with a bad checksum or an unannounced chunk reached the mouse");
    for (const TrafficRecord& r : mouse.Traffic()) {
        const size_t expected = r.kind == TrafficKind::SetFeature || r.kind == TrafficKind::GetFeature
                                    ? 9
                                    : VirtualMouse::kChunkReportLength;
        if (r.collection == MouseCollection::Commands && r.bytes.size() != expected)
            fuzz::Fail("a report of the wrong length reached the mouse");
    }

    const std::string saved = fuzz::ReadAll(dir / ConfigFileName(0));
    if (saved.size() != kConfigFileSize || !std::equal(ctx.image.Bytes().begin(), ctx.image.Bytes().end(),
                                                       reinterpret_cast<const uint8_t*>(saved.data()) + 1))
        fuzz::Fail("the saved file is not the flag byte and the image");
    hid.RemoveMouse(mouse);
    return 0;
}
