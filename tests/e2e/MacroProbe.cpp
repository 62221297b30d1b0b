// What the mouse should hold after the macro end-to-end test, worked out by
// the program's own encoders from the files it wrote, printed in the virtual
// mouse's hex notation:
//   lumeno-macro-probe <config0.bin> <record.ini> <map position>
//   function <n>          the stored function of the button at that position
//   code [aa bb cc dd]    its code in the button map
//   macro0 [..130 bytes]  slot 0 as the macro manager's OK encodes the
//                         library into the image
#include "buttons/ButtonMap.h"
#include "config/ConfigFiles.h"
#include "config/ConfigImage.h"
#include "config/ProfileIni.h"
#include "macros/MacroEncoder.h"
#include "platform/linux/PosixFileStore.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

void PrintHex(const char* key, std::span<const uint8_t> bytes)
{
    std::printf("%s [", key);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::printf(i ? " %02x" : "%02x", bytes[i]);
    std::printf("]\n");
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lumeno;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <config0.bin> <record.ini> <map position>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    if (file.size() != kConfigFileSize) {
        std::fprintf(stderr, "%s is not a profile file\n", argv[1]);
        return 1;
    }
    ConfigImage image{};
    std::memcpy(&image, file.data() + 1, sizeof image); // after the flag byte
    const int position = std::stoi(argv[3]);
    for (int i = 0; i < kButtonCount; ++i)
        if (MapPositionOfButtonIndex(i) == position)
            std::printf("function %d\n", int(image.buttonFunction[i]));
    const ButtonMapBlock map = BuildButtonMap(image);
    PrintHex("code", std::span(map).subspan(size_t(position) * 4, 4));

    PosixFileStore files;
    ProfileIni ini(files);
    ManagerMacroCopy copy{};
    EncodeForManager(ini, argv[2], copy);
    ConfigImage encoded{};
    CopyManagerCopyToImage(copy, encoded);
    PrintHex("macro0", encoded.macroMemory[0]);
    return 0;
}
