// Feeds arbitrary bytes to the INI reader as the macro library file and
// encodes the library on both paths: nothing may crash, hang or touch a byte
// of the image outside the slots of the macros the library lists.
#include "config/ConfigImage.h"
#include "config/ProfileIni.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroLibraryFile.h"
#include "platform/linux/PosixFileStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The library is a memory-only file (memfd) that the reader opens by its
// /proc/self/fd path: nothing is written to disk or left behind, even when
// the fuzzer ends the process at a crash or a timeout.
class MemoryFile {
public:
    MemoryFile() : fd_(::memfd_create("record.ini", MFD_CLOEXEC))
    {
        if (fd_ < 0)
            std::abort();
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void Replace(const uint8_t* data, size_t size)
    {
        if (::ftruncate(fd_, 0) != 0)
            std::abort();
        for (size_t done = 0; done < size;) {
            const ssize_t n = ::pwrite(fd_, data + done, size - done, off_t(done));
            if (n <= 0)
                std::abort();
            done += size_t(n);
        }
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    int fd_;
    std::filesystem::path path_;
};

// The real file calls, with the library's times reported as long past. Its
// bytes do not change during one input, so the reader parses them once and
// keeps them, as it does for a stored file, instead of reading the whole file
// again at every key as it does for one changed within a file-time step.
class SettledFileStore final : public lumeno::FileStore {
public:
    lumeno::FileRead ReadFile(const std::filesystem::path& file, size_t maxBytes) override
    {
        return files_.ReadFile(file, maxBytes);
    }
    int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) override
    {
        return files_.ReplaceAtomically(target, bytes);
    }
    lumeno::FileState Identify(const std::filesystem::path& file, lumeno::FileIdentity& identity) override
    {
        const lumeno::FileState state = files_.Identify(file, identity);
        identity.modifiedNs = 0;
        identity.changedNs = 0;
        return state;
    }

private:
    lumeno::PosixFileStore files_;
};

constexpr uint8_t kFill = 0xA5;

SettledFileStore files;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumeno;
    static MemoryFile input;
    input.Replace(data, size);
    const std::filesystem::path& file = input.Path();

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
