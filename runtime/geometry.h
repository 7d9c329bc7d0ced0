#pragma once

#include <cstdint>

namespace rt {

// Places and sizes in the form's definition are in twips: 1440 to the inch,
// so 15 to a pixel at 96 dots per inch.
using Twips = std::int32_t;
inline constexpr int twips_per_inch = 1440;
inline constexpr int standard_dpi = 96;

struct TwipsRect {
    Twips left;
    Twips top;
    Twips width;
    Twips height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right() && y >= top && y < bottom();
    }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The one conversion from twips to pixels, rounded to the nearest pixel.
// Backends pass the dots per inch of the surface they draw on.
constexpr int to_pixels(Twips twips, int dpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = twips_per_inch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / twips_per_inch
                                        : (scaled - half) / twips_per_inch);
}

// Edges are converted, not sizes, so that neighbouring controls never gain
// or lose a pixel between them through rounding.
constexpr PixelRect to_pixels(const TwipsRect& r, int dpi) {
    const int left = to_pixels(r.left, dpi);
    const int top = to_pixels(r.top, dpi);
    return {left, top, to_pixels(r.left + r.width, dpi) - left,
            to_pixels(r.top + r.height, dpi) - top};
}

// A font size in points, as pixels: a point is 20 twips.
constexpr int points_to_pixels(int points, int dpi) {
    return to_pixels(points * 20, dpi);
}

} // namespace rt
