// Feeds arbitrary bytes to the profile settings readers as "str0.ini" and as
// the profile list "str.ini", in the encodings stored files come in: the
// first byte chooses UTF-8 as given, UTF-16LE with a byte-order mark (the
// rest read as code units, broken surrogates included), UTF-8 with a
// byte-order mark, or the rest with every LF turned into a lone CR. Then the
// seven captions are written into the file and read back by a fresh reader:
// nothing may crash or hang, every caption must read back as written, and
// the file must keep its byte-order mark.
#include "FuzzFolder.h"

#include "config/ConfigFiles.h"
#include "config/ProfileListFile.h"
#include "config/ProfileSettings.h"
#include "flows/AppContext.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace lumeno;

enum class Encoding : uint8_t { Utf8, Utf16LeBom, Utf8Bom, LoneCr, Count };

std::vector<uint8_t> Encode(const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    const auto encoding = Encoding(data[0] % uint8_t(Encoding::Count));
    std::vector<uint8_t> bytes;
    if (encoding == Encoding::Utf16LeBom)
        bytes = {0xFF, 0xFE};
    else if (encoding == Encoding::Utf8Bom)
        bytes = {0xEF, 0xBB, 0xBF};
    bytes.insert(bytes.end(), data + 1, data + size);
    if (encoding == Encoding::LoneCr)
        std::replace(bytes.begin(), bytes.end(), uint8_t('\n'), uint8_t('\r'));
    return bytes;
}

fuzz::DataFiles run;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes = Encode(data, size);
    const std::filesystem::path dir = run.folder.Path() / kDataFolderName;
    std::filesystem::create_directories(dir);
    const auto settings = dir / SettingsFileName(0);
    fuzz::WriteWholeFile(settings, bytes.data(), bytes.size());
    fuzz::WriteWholeFile(dir / kProfileListFile, bytes.data(), bytes.size());

    AppContext ctx{run.debug, run.paths, run.files}; // a fresh reader: every input is parsed
    EnsureDataDirectory(ctx);
    ctx.paths.currentSettingsFile = settings;
    ctx.languageCode = ReadLanguageCode(ctx);
    LoadProfileSettings(ctx, settings);
    PointerSettingsMarked(ctx);
    if (ReadProfileList(ctx).size() > 6)
        fuzz::Fail("more than six profiles listed");
    ReadCurrentProfileName(ctx);

    ctx.languageCode = "EN";
    for (int i = 0; i < kButtonCount; ++i)
        ctx.captions[size_t(i)] = "Caption " + std::to_string(i + 1);
    if (!SaveCaptions(ctx, settings))
        fuzz::Fail("the captions could not be written");

    AppContext again{run.debug, run.paths, run.files};
    again.languageCode = "EN";
    LoadProfileSettings(again, settings);
    if (again.captions != ctx.captions)
        fuzz::Fail("the captions do not read back as written");
    const std::string written = fuzz::ReadAll(settings);
    for (const std::string_view mark : {std::string_view("\xFF\xFE"), std::string_view("\xEF\xBB\xBF")}) {
        const bool had = std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()).starts_with(mark);
        if (had && !std::string_view(written).starts_with(mark))
            fuzz::Fail("the file lost its byte-order mark");
    }
    return 0;
}
