#include "platform/linux/SysfsHidraw.h"

#include "platform/HidReportDescriptor.h"
#include "platform/linux/Uevent.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace lumeno {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return text.str();
}

std::optional<std::string> Property(const std::string& uevent, const std::string& key)
{
    std::istringstream lines(uevent);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return std::nullopt;
}

// The USB device above the HID device carries the release number.
std::uint16_t FindVersion(const fs::path& sysfsRoot, const fs::path& hidDevice)
{
    std::error_code ec;
    fs::path dir = fs::canonical(hidDevice, ec);
    const fs::path root = fs::canonical(sysfsRoot, ec);
    if (ec)
        return 0;
    for (int depth = 0; depth < 8 && !dir.empty() && dir != root && dir != dir.root_path(); ++depth) {
        if (const auto text = ReadText(dir / "bcdDevice")) {
            try {
                return static_cast<std::uint16_t>(std::stoul(*text, nullptr, 16));
            } catch (...) {
                return 0;
            }
        }
        dir = dir.parent_path();
    }
    return 0;
}

unsigned long NodeNumber(const std::string& name)
{
    const auto digits = name.find_first_of("0123456789");
    if (digits == std::string::npos)
        return ~0UL;
    try {
        return std::stoul(name.substr(digits));
    } catch (...) {
        return ~0UL;
    }
}

} // namespace

std::optional<HidrawNode> ReadHidrawNode(const fs::path& sysfsRoot, const std::string& name)
{
    const fs::path classDir = sysfsRoot / "class" / "hidraw" / name;
    const fs::path device = classDir / "device";
    const auto hidUevent = ReadText(device / "uevent");
    if (!hidUevent)
        return std::nullopt;
    const auto hidId = Property(*hidUevent, "HID_ID");
    const auto ids = hidId ? HidIdsFromProperty(*hidId) : std::nullopt;
    if (!ids)
        return std::nullopt;
    const auto descriptor = ReadText(device / "report_descriptor");
    if (!descriptor || descriptor->size() > kHidMaxDescriptorBytes)
        return std::nullopt;

    HidrawNode node;
    node.name = name;
    // The class device's own uevent names the node (it may differ from the folder).
    if (const auto own = ReadText(classDir / "uevent"))
        if (const auto devname = Property(*own, "DEVNAME"); devname && !devname->empty())
            node.name = *devname;
    node.bus = ids->bus;
    node.vendorId = ids->vendorId;
    node.productId = ids->productId;
    node.version = FindVersion(sysfsRoot, device);
    node.descriptor.assign(descriptor->begin(), descriptor->end());
    return node;
}

std::optional<std::vector<HidrawNode>> ListHidrawNodes(const fs::path& sysfsRoot)
{
    std::error_code ec;
    fs::directory_iterator it(sysfsRoot / "class" / "hidraw", ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto na = NodeNumber(a), nb = NodeNumber(b);
        return na != nb ? na < nb : a < b;
    });
    std::vector<HidrawNode> nodes;
    for (const auto& name : names)
        if (auto node = ReadHidrawNode(sysfsRoot, name))
            nodes.push_back(std::move(*node));
    return nodes;
}

} // namespace lumeno
