#include "MonoBitmap.h"

#include <algorithm>

namespace vell3 {

MonoBitmap::MonoBitmap(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite) {}

void MonoBitmap::Reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite);
}

void MonoBitmap::RotateHalfTurn() {
    // Pixel (i, j) goes to (w - 1 - i, h - 1 - j): in a row-major buffer that
    // is index n - 1 - k for index k, the whole buffer reversed.
    std::reverse(pixels_.begin(), pixels_.end());
}

void MonoBitmap::FillRect(int x, int y, int width, int height, std::uint8_t value) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, width_);
    const int bottom = std::min(y + height, height_);
    if (right <= left) {
        return; // nothing of it inside, or a negative width
    }
    for (int row = top; row < bottom; ++row) {
        std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(left, row)),
                  pixels_.begin() + static_cast<std::ptrdiff_t>(Index(right, row)), value);
    }
}

MonoBitmap RotateBitmap(const MonoBitmap& source, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    const int w = source.Width();
    const int h = source.Height();
    if (turns == 0) {
        return source;
    }
    if (turns == 2) {
        MonoBitmap result = source;
        result.RotateHalfTurn();
        return result;
    }
    MonoBitmap result(h, w);
    for (int j = 0; j < w; ++j) {
        for (int i = 0; i < h; ++i) {
            // A clockwise quarter turn takes the result's column i from the
            // source's bottom row upwards.
            const int sx = turns == 1 ? j : w - 1 - j;
            const int sy = turns == 1 ? h - 1 - i : i;
            result.SetPixel(i, j, source.Pixel(sx, sy));
        }
    }
    return result;
}

} // namespace vell3
