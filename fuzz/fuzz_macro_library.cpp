// Feeds arbitrary bytes to the INI reader as "record.ini" and encodes the
// library on both paths: nothing may crash, hang or touch a byte of the image
// outside the slots of the macros the library lists.
#include "config/ConfigImage.h"
#include "config/ProfileIni.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroLibraryFile.h"
#include "platform/linux/PosixFileStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& LibraryFile()
{
    static const std::filesystem::path file = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "lumeno-fuzz-XXXXXX").string();
        if (!::mkdtemp(folder.data()))
            std::abort();
        return std::filesystem::path(folder) / "record.ini";
    }();
    return file;
}

constexpr uint8_t kFill = 0xA5;

lumeno::PosixFileStore files;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumeno;
    const auto& file = LibraryFile();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }

    ProfileIni ini{files}; // a fresh cache: every input is parsed
    MacroLibraryFile library(ini, file);
    const std::vector<std::string> names = library.LoadNames();
    if (names.size() > size_t(kMacroSlotCount))
        std::abort();
    for (const std::string& name : names)
        if (library.LoadMacro(name).lines.size() > size_t(kMaxMacroLines))
            std::abort();

    ConfigImage image;
    std::fill(image.Bytes().begin(), image.Bytes().end(), kFill);
    EncodeLibrary(ini, file, image);
    const auto bytes = image.Bytes();
    const size_t firstUntouched = offsetof(ConfigImage, macroMemory) + names.size() * kMacroSlotSize;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool inListedSlots = i >= offsetof(ConfigImage, macroMemory) && i < firstUntouched;
        if (!inListedSlots && bytes[i] != kFill)
            std::abort();
    }

    ManagerMacroCopy copy;
    EncodeForManager(ini, file, copy);
    for (size_t k = names.size(); k < copy.size(); ++k)
        if (std::any_of(copy[k].begin(), copy[k].end(), [](uint8_t b) { return b != 0; }))
            std::abort();
    return 0;
}
