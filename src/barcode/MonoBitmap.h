#pragma once

#include <cstdint>
#include <vector>

namespace vell3 {

// A black-on-white pixel buffer, one byte per pixel (8 bits per pixel with
// monochrome content), rows top to bottom. The values are grey levels, so the
// buffer can be handed to an 8-bit greyscale image as it stands.
class MonoBitmap {
public:
    static constexpr std::uint8_t kWhite = 255;
    static constexpr std::uint8_t kBlack = 0;

    MonoBitmap() = default;
    // A white bitmap; negative sizes count as 0.
    MonoBitmap(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    bool IsBlack(int x, int y) const { return pixels_[Index(x, y)] == kBlack; }
    std::uint8_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint8_t value) { pixels_[Index(x, y)] = value; }

    // Makes the bitmap white at a new size, keeping its storage where it can.
    void Reset(int width, int height);
    // Turns the bitmap by half a turn in place.
    void RotateHalfTurn();

    // Fills the rectangle, clipped to the bitmap.
    void FillRect(int x, int y, int width, int height, std::uint8_t value);

    const std::uint8_t* Row(int y) const { return pixels_.data() + Index(0, y); }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

    bool operator==(const MonoBitmap&) const = default;

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// The bitmap turned by 0, 90, 180 or 270 degrees (quarter turns clockwise as
// the bitmap is viewed). A half turn keeps the size; a quarter turn swaps it.
MonoBitmap RotateBitmap(const MonoBitmap& source, int quarterTurns);

} // namespace vell3
