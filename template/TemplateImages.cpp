#include "template/TemplateImages.h"

#include <cstdint>

using platform::Bitmap;

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// The images as they were drawn with thick strokes and filled shapes on the pixel grid, kept one bit
// per pixel (bit x of row y): the square with slightly rounded corners, outside of which the image
// is transparent, and the white of each symbol. Drawing them took a fifth to half a millisecond at
// every load; reading them takes none.
constexpr std::uint32_t kSquare[kSize] = {
    0x1FFFFFF8u, 0x7FFFFFFEu, 0x7FFFFFFEu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
    0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
    0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
    0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x7FFFFFFEu, 0x7FFFFFFEu, 0x1FFFFFF8u};
constexpr std::uint32_t kSymbols[6][kSize] = {
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x01800000u,
     0x03C00000u, 0x03E00000u, 0x01E00000u, 0x00F00000u, 0x00780000u, 0x007C0000u, 0x003E0000u, 0x001E0180u,
     0x000F03C0u, 0x000F87C0u, 0x0007CF80u, 0x0003CF00u, 0x0001FE00u, 0x0000FE00u, 0x0000FC00u, 0x00007800u,
     0x00003000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x000FF000u,
     0x001FF8E0u, 0x003FFCE0u, 0x00783FE0u, 0x00F03FC0u, 0x00E00F80u, 0x00E00780u, 0x00E00000u, 0x00E00000u,
     0x00E00000u, 0x00E00000u, 0x00F00000u, 0x00780000u, 0x003C0000u, 0x001C0000u, 0x00080000u, 0x00000000u,
     0x00FFFF00u, 0x01FFFF80u, 0x01FFFF80u, 0x00FFFF00u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00018000u, 0x0003C000u,
     0x0003C000u, 0x0003C000u, 0x00018000u, 0x00000000u, 0x0000E000u, 0x0001F000u, 0x0003F000u, 0x0003E000u,
     0x0003C000u, 0x0003C000u, 0x0003C000u, 0x0003C000u, 0x0003C000u, 0x0003C000u, 0x0003C000u, 0x0007E000u,
     0x000FF000u, 0x000FF000u, 0x0007E000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x0007E000u, 0x001FF800u, 0x001FF800u,
     0x003C3C00u, 0x00381C00u, 0x00381C00u, 0x00380C00u, 0x00380000u, 0x003C0000u, 0x001E0000u, 0x001F0000u,
     0x00078000u, 0x00078000u, 0x0003C000u, 0x0003C000u, 0x00018000u, 0x00000000u, 0x00000000u, 0x00018000u,
     0x0003C000u, 0x0003C000u, 0x00018000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00C00300u,
     0x01E00780u, 0x01F00F80u, 0x00F81F00u, 0x007C3E00u, 0x003E7C00u, 0x001FF800u, 0x000FF000u, 0x0007E000u,
     0x0007E000u, 0x000FF000u, 0x001FF800u, 0x003E7C00u, 0x007C3E00u, 0x00F81F00u, 0x01F00F80u, 0x01E00780u,
     0x00C00300u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
    {0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x01FFFF80u, 0x01FFFF80u,
     0x0189F180u, 0x0189F180u, 0x0189F180u, 0x0189F180u, 0x018FF180u, 0x01800180u, 0x01800180u, 0x01800180u,
     0x01800180u, 0x019FF980u, 0x019FF980u, 0x019FF980u, 0x019FF980u, 0x019FF980u, 0x019FF980u, 0x019FF980u,
     0x01FFFF80u, 0x01FFFF80u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u, 0x00000000u},
};

Bitmap Render(const std::uint32_t (&symbol)[kSize], bool hot) {
    Bitmap b{kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, 0)};
    const std::uint32_t blue = hot ? 0xFF5A8CF0u : 0xFF2A5AC8u;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (kSquare[y] >> x & 1)
                b.pixels[static_cast<std::size_t>(y * kSize + x)] = (symbol[y] >> x & 1) ? kWhite : blue;
    return b;
}

std::vector<Bitmap> DrawImages() {
    std::vector<Bitmap> images;
    for (const auto& symbol : kSymbols) {
        images.push_back(Render(symbol, false));
        images.push_back(Render(symbol, true));
    }
    return images;
}

}  // namespace

// Made once per load of the library, at the first page, and kept until unload.
std::vector<Bitmap> TemplateImages() {
    static const std::vector<Bitmap> images = DrawImages();
    return images;
}
