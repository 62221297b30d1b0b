#include "platform/HidReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace lumeno {
namespace {

// Short item prefix byte:  bit 7..4 tag | bit 3..2 type | bit 1..0 size code
// (size code 3 means 4 data bytes). Prefix 0xFE starts a long item:
// FE, data size, long tag, data.
constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

// Main item tags.
constexpr std::uint8_t kTagInput = 0x8;
constexpr std::uint8_t kTagOutput = 0x9;
constexpr std::uint8_t kTagCollection = 0xA;
constexpr std::uint8_t kTagFeature = 0xB;
constexpr std::uint8_t kTagEndCollection = 0xC;
// Global item tags.
constexpr std::uint8_t kTagUsagePage = 0x0;
constexpr std::uint8_t kTagReportSize = 0x7;
constexpr std::uint8_t kTagReportId = 0x8;
constexpr std::uint8_t kTagReportCount = 0x9;
constexpr std::uint8_t kTagPush = 0xA;
constexpr std::uint8_t kTagPop = 0xB;
// Local item tags.
constexpr std::uint8_t kTagUsage = 0x0;

// Bounds that keep a hostile descriptor from costing memory or time.
constexpr std::size_t kMaxGlobalStack = 32;
constexpr std::size_t kMaxCollectionDepth = 64;

enum ReportKind : std::size_t { Input = 0, Output = 1, Feature = 2, kReportKinds = 3 };

struct Globals {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

struct Usage {
    std::uint32_t value = 0;
    bool extended = false; // 4-byte usage: the page is its high half
};

struct CollectionBuild {
    HidTopLevelCollection caps;
    // Bits per (kind, report id); the id byte is not included.
    std::map<std::pair<std::size_t, std::uint8_t>, std::uint64_t> bits;
    std::set<std::uint8_t> ids;
};

std::uint16_t ByteLength(std::uint64_t bits) { return static_cast<std::uint16_t>((bits + 7) / 8 + 1); }

class Parser {
public:
    std::optional<HidReportDescriptor> Run(std::span<const std::uint8_t> bytes, std::string& error)
    {
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            const std::uint8_t prefix = bytes[pos];
            if (prefix == kLongItemPrefix) {
                // Long items carry no meaning for report layout; skip them.
                if (bytes.size() - pos < 3)
                    return Fail(error, "truncated long item");
                const std::size_t size = bytes[pos + 1];
                if (bytes.size() - pos - 3 < size)
                    return Fail(error, "truncated long item");
                pos += 3 + size;
                continue;
            }
            static constexpr std::array<std::size_t, 4> kSizes = {0, 1, 2, 4};
            const std::size_t size = kSizes[prefix & 0x3];
            if (bytes.size() - pos - 1 < size)
                return Fail(error, "truncated item");
            std::uint32_t data = 0;
            for (std::size_t i = 0; i < size; ++i)
                data |= std::uint32_t{bytes[pos + 1 + i]} << (8 * i);
            const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
            const std::uint8_t tag = prefix >> 4;
            pos += 1 + size;

            const char* why = nullptr;
            switch (type) {
            case ItemType::Main:
                why = Main(tag);
                break;
            case ItemType::Global:
                why = Global(tag, data);
                break;
            case ItemType::Local:
                Local(tag, data, size);
                break;
            case ItemType::Reserved:
                break;
            }
            if (why)
                return Fail(error, why);
        }
        if (depth_ != 0)
            return Fail(error, "unbalanced collection at end of descriptor");

        HidReportDescriptor result;
        result.numberedReports = numbered_;
        for (auto& c : done_) {
            std::array<std::uint64_t, kReportKinds> longest{};
            std::array<bool, kReportKinds> present{};
            for (const auto& [key, bits] : c.bits) {
                present[key.first] = true;
                longest[key.first] = std::max(longest[key.first], bits);
            }
            c.caps.inputReportLength = present[Input] ? ByteLength(longest[Input]) : 0;
            c.caps.outputReportLength = present[Output] ? ByteLength(longest[Output]) : 0;
            c.caps.featureReportLength = present[Feature] ? ByteLength(longest[Feature]) : 0;
            if (numbered_)
                c.caps.reportIds.assign(c.ids.begin(), c.ids.end());
            result.collections.push_back(std::move(c.caps));
        }
        return result;
    }

private:
    static std::nullopt_t Fail(std::string& error, const char* why)
    {
        error = why;
        return std::nullopt;
    }

    const char* Main(std::uint8_t tag)
    {
        const char* why = nullptr;
        switch (tag) {
        case kTagCollection:
            if (depth_ == kMaxCollectionDepth) {
                why = "collections nested too deep";
                break;
            }
            if (depth_ == 0) {
                current_ = CollectionBuild{};
                const Usage u = firstUsage_.value_or(Usage{});
                current_.caps.usagePage = static_cast<std::uint16_t>(u.extended ? u.value >> 16 : globals_.usagePage);
                current_.caps.usage = static_cast<std::uint16_t>(u.value);
            }
            ++depth_;
            break;
        case kTagEndCollection:
            if (depth_ == 0) {
                why = "end collection without collection";
                break;
            }
            if (--depth_ == 0)
                done_.push_back(std::move(current_));
            break;
        case kTagInput:
            why = AddReport(Input);
            break;
        case kTagOutput:
            why = AddReport(Output);
            break;
        case kTagFeature:
            why = AddReport(Feature);
            break;
        default:
            break; // reserved main tags carry no report data
        }
        firstUsage_.reset(); // local items end with every main item
        return why;
    }

    const char* AddReport(ReportKind kind)
    {
        if (depth_ == 0)
            return nullptr; // data outside any collection belongs to no interface
        const std::uint64_t add = std::uint64_t{globals_.reportSize} * globals_.reportCount;
        std::uint64_t& bits = current_.bits[{kind, globals_.reportId}];
        bits += add;
        current_.ids.insert(globals_.reportId);
        if (bits > kHidMaxReportBytes * 8)
            return "report too long";
        return nullptr;
    }

    const char* Global(std::uint8_t tag, std::uint32_t data)
    {
        switch (tag) {
        case kTagUsagePage:
            globals_.usagePage = data;
            break;
        case kTagReportSize:
            globals_.reportSize = data;
            break;
        case kTagReportCount:
            globals_.reportCount = data;
            break;
        case kTagReportId:
            if (data == 0 || data > 0xFF)
                return "invalid report id";
            globals_.reportId = static_cast<std::uint8_t>(data);
            numbered_ = true;
            break;
        case kTagPush:
            if (stack_.size() == kMaxGlobalStack)
                return "global stack overflow";
            stack_.push_back(globals_);
            break;
        case kTagPop:
            if (stack_.empty())
                return "global stack underflow";
            globals_ = stack_.back();
            stack_.pop_back();
            break;
        default:
            break; // logical/physical ranges and units do not change lengths
        }
        return nullptr;
    }

    void Local(std::uint8_t tag, std::uint32_t data, std::size_t size)
    {
        if (tag == kTagUsage && !firstUsage_)
            firstUsage_ = Usage{data, size == 4};
    }

    Globals globals_;
    std::vector<Globals> stack_;
    std::optional<Usage> firstUsage_;
    std::size_t depth_ = 0;
    bool numbered_ = false;
    CollectionBuild current_;
    std::vector<CollectionBuild> done_;
};

} // namespace

std::optional<HidReportDescriptor> HidReportDescriptor::Parse(std::span<const std::uint8_t> bytes, std::string* error)
{
    std::string why;
    auto result = Parser{}.Run(bytes, why);
    if (error)
        *error = why;
    return result;
}

} // namespace lumeno
