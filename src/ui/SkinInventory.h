#pragma once
// The table of every image of the default skin (skin/inventory.tsv): name
// relative to the skin folder, pixel size and a note on its use. The skin
// generator draws from it and the tests check the built skin against it.
#include <istream>
#include <string>
#include <vector>

namespace lumeno {

struct SkinInventoryEntry {
    std::string name; // relative to the skin folder, "/" separated
    int width = 0;
    int height = 0;
    std::string description;
};

struct SkinInventory {
    std::vector<SkinInventoryEntry> entries;
    std::vector<std::string> errors; // "line N: ..." for every malformed line
};

// Tab-separated lines "name, width, height, description"; lines starting
// with '#' and blank lines are skipped.
SkinInventory ParseSkinInventory(std::istream& in);

} // namespace lumeno
