#include "ui/Premultiply.h"

namespace lumeno {

void PremultiplyBgra(uint8_t* pixels, std::size_t pixelCount)
{
    for (std::size_t i = 0; i < pixelCount; ++i, pixels += 4) {
        const uint8_t alpha = pixels[3];
        if (alpha == 255)
            continue;
        pixels[0] = PremultiplyChannel(pixels[0], alpha);
        pixels[1] = PremultiplyChannel(pixels[1], alpha);
        pixels[2] = PremultiplyChannel(pixels[2], alpha);
    }
}

} // namespace lumeno
