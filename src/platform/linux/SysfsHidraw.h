#pragma once
// The hidraw nodes the kernel lists in sysfs, with what a HID search needs of
// each: ids, version and report descriptor. The sysfs root is a parameter so
// that tests can point it at a fixture tree.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumeno {

struct HidrawNode {
    std::string name; // "hidraw3"
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0; // bcdDevice of the USB device; 0 when none
    std::vector<std::uint8_t> descriptor;
};

// Reads one node ("hidraw3") under sysfsRoot/class/hidraw. nullopt when it
// vanished or its files cannot be read.
std::optional<HidrawNode> ReadHidrawNode(const std::filesystem::path& sysfsRoot, const std::string& name);

// Every node that could be read, ordered by number (hidraw2 before hidraw10).
// Nodes that vanish while the list is read are left out. nullopt when the
// class folder cannot be listed at all (no hidraw support in the kernel).
std::optional<std::vector<HidrawNode>> ListHidrawNodes(const std::filesystem::path& sysfsRoot);

} // namespace lumeno
