#pragma once
// Skin images with an alpha channel are premultiplied before they are
// blended: each colour channel becomes value x alpha / 255, integer division,
// so alpha 0 draws nothing and alpha 128 halves the colour.
#include <cstddef>
#include <cstdint>

namespace lumeno {

constexpr uint8_t PremultiplyChannel(uint8_t value, uint8_t alpha) { return static_cast<uint8_t>(value * alpha / 255); }

// Pixels in blue, green, red, alpha byte order; alpha is left as it is.
void PremultiplyBgra(uint8_t* pixels, std::size_t pixelCount);

// One channel of a premultiplied source blended over an opaque target.
constexpr uint8_t BlendPremultipliedChannel(uint8_t source, uint8_t sourceAlpha, uint8_t target)
{
    return static_cast<uint8_t>(source + target * (255 - sourceAlpha) / 255);
}

} // namespace lumeno
