#include "config/TextEncoding.h"

#include <cstdint>

namespace lumeno {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::string& out, char32_t c)
{
    auto unit = [&out](uint16_t u) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    };
    if (c < 0x10000) {
        unit(uint16_t(c));
    } else {
        c -= 0x10000;
        unit(uint16_t(0xD800 | (c >> 10)));
        unit(uint16_t(0xDC00 | (c & 0x3FF)));
    }
}

// Decodes one UTF-8 sequence at text[pos]; returns its length (at least 1)
// and the character, kReplacement for a malformed sequence.
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& c)
{
    const auto b0 = uint8_t(text[pos]);
    size_t length;
    char32_t min;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        c = kReplacement;
        return 1;
    }
    if (pos + length > text.size()) {
        c = kReplacement;
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto b = uint8_t(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            c = kReplacement;
            return 1;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    return length;
}

} // namespace

std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    auto unitAt = [&bytes](size_t i) { return uint16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8); };
    for (size_t i = 0; i < units; ++i) {
        const uint16_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const uint16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(u - 0xD800) << 10) | (low - 0xDC00)));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : char32_t(u));
    }
    if (bytes.size() % 2)
        AppendUtf8(out, kReplacement);
    return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t c;
        pos += DecodeUtf8(utf8, pos, c);
        AppendUtf16(out, c);
    }
    return out;
}

std::string_view CutToUtf16Units(std::string_view text, size_t maxUnits)
{
    size_t pos = 0;
    size_t units = 0;
    while (pos < text.size()) {
        char32_t c;
        const size_t length = DecodeUtf8(text, pos, c);
        const size_t need = c >= 0x10000 ? 2 : 1;
        if (units + need > maxUnits)
            break;
        units += need;
        pos += length;
    }
    return text.substr(0, pos);
}

} // namespace lumeno
