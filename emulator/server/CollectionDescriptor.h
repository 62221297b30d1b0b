#pragma once
// The report descriptor a virtual mouse's collection is served with: one
// top-level collection whose usage and report lengths are the collection's
// own, so any HID parser (ours, the kernel's) counts the same lengths.
#include "VirtualMouse.h"

#include <cstdint>
#include <vector>

namespace lumeno {

std::vector<uint8_t> BuildCollectionDescriptor(const VirtualCollectionInfo& collection);

} // namespace lumeno
