#include "ui/SkinInventory.h"

#include <charconv>
#include <sstream>

namespace lumeno {
namespace {

bool ParsePositive(const std::string& text, int& out)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && out > 0;
}

} // namespace

SkinInventory ParseSkinInventory(std::istream& in)
{
    SkinInventory result;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, '\t'))
            fields.push_back(field);
        SkinInventoryEntry entry;
        if (fields.size() < 3 || fields[0].empty() || !ParsePositive(fields[1], entry.width) ||
            !ParsePositive(fields[2], entry.height)) {
            result.errors.push_back("line " + std::to_string(lineNumber) + ": " + line);
            continue;
        }
        entry.name = fields[0];
        if (fields.size() > 3)
            entry.description = fields[3];
        result.entries.push_back(std::move(entry));
    }
    return result;
}

} // namespace lumeno
