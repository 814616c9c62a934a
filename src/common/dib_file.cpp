// Device-independent bitmaps as .bmp, .ico and .cur files carry them (see dib_file.h).
#include "common/dib_file.h"

#include <cstddef>

namespace tarvex {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr int64_t kMostSide = 16384;  // larger is no picture of this program

uint32_t U16(std::span<const uint8_t> b, size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
int32_t I32(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

size_t Stride(int64_t width, uint32_t bits) { return static_cast<size_t>((width * bits + 31) / 32 * 4); }

// One DIB: the header at the start of `dib`. For an icon image the height
// covers the colour rows and the AND mask that follows them.
std::optional<DecodedImage> DecodeDib(std::span<const uint8_t> dib, std::optional<size_t> bitsAt, bool icon) {
  if (dib.size() < 40) return std::nullopt;
  const uint32_t headerSize = U32(dib, 0);
  if (headerSize < 40 || headerSize > dib.size()) return std::nullopt;
  const int64_t width = I32(dib, 4);
  int64_t height = I32(dib, 8);
  const uint32_t bits = U16(dib, 14);
  const uint32_t compression = U32(dib, 16);
  uint32_t colours = U32(dib, 32);
  if (compression != kBiRgb) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const bool topDown = height < 0 && !icon;
  if (topDown) height = -height;
  if (icon) height /= 2;
  if (width <= 0 || height <= 0 || width > kMostSide || height > kMostSide) return std::nullopt;

  const size_t paletteAt = headerSize;
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
  } else {
    colours = 0;
  }
  const size_t pixelsAt = bitsAt.value_or(paletteAt + size_t{colours} * 4);
  if (paletteAt + size_t{colours} * 4 > dib.size()) return std::nullopt;
  const size_t stride = Stride(width, bits);
  const size_t maskStride = Stride(width, 1);
  const size_t rows = static_cast<size_t>(height);
  const size_t maskAt = pixelsAt + stride * rows;
  const size_t end = icon ? maskAt + maskStride * rows : maskAt;
  if (pixelsAt > dib.size() || end > dib.size()) return std::nullopt;

  DecodedImage image;
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  image.argb.resize(static_cast<size_t>(width) * rows);
  bool anyAlpha = false;
  for (size_t y = 0; y < rows; ++y) {
    const size_t fileRow = topDown ? y : rows - 1 - y;
    const uint8_t* row = dib.data() + pixelsAt + fileRow * stride;
    uint32_t* out = image.argb.data() + y * static_cast<size_t>(width);
    for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
      uint32_t pixel = 0;
      if (bits == 32) {
        const uint8_t* p = row + x * 4;
        pixel = (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        anyAlpha = anyAlpha || (pixel >> 24) != 0;
      } else if (bits == 24) {
        const uint8_t* p = row + x * 3;
        pixel = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
      } else {
        const size_t bit = x * bits;
        const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        const size_t entry = paletteAt + size_t{index} * 4;
        pixel = 0xFF000000u;  // an index past a short palette reads as black
        if (index < colours) pixel |= (uint32_t{dib[entry + 2]} << 16) | (uint32_t{dib[entry + 1]} << 8) | dib[entry];
      }
      out[x] = pixel;
    }
  }
  if (bits == 32 && !icon) {
    for (uint32_t& p : image.argb) p |= 0xFF000000u;  // a bitmap's fourth byte is padding
  } else if (icon && !(bits == 32 && anyAlpha)) {
    // The AND mask decides: a set bit lets the screen through.
    for (size_t y = 0; y < rows; ++y) {
      const uint8_t* mask = dib.data() + maskAt + (rows - 1 - y) * maskStride;
      uint32_t* out = image.argb.data() + y * static_cast<size_t>(width);
      for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
        const bool through = (mask[x / 8] >> (7 - x % 8)) & 1;
        out[x] = through ? 0 : (out[x] | 0xFF000000u);
      }
    }
  }
  return image;
}

}  // namespace

std::optional<DecodedImage> DecodeBmpFile(std::span<const uint8_t> file) {
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const size_t bitsAt = U32(file, 10);
  if (bitsAt < 14) return std::nullopt;
  return DecodeDib(file.subspan(14), bitsAt - 14, false);
}

std::optional<DecodedImage> DecodePackedDib(std::span<const uint8_t> dib) {
  return DecodeDib(dib, std::nullopt, false);
}

std::vector<DecodedImage> DecodeIconFile(std::span<const uint8_t> file) {
  std::vector<DecodedImage> images;
  if (file.size() < 6 || U16(file, 0) != 0) return images;
  const uint32_t type = U16(file, 2);
  if (type != 1 && type != 2) return images;
  const size_t count = U16(file, 4);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + i * 16;
    if (entry + 16 > file.size()) break;
    const size_t size = U32(file, entry + 8);
    const size_t at = U32(file, entry + 12);
    if (at >= file.size() || size > file.size() - at) continue;
    const std::span<const uint8_t> data = file.subspan(at, size);
    if (data.size() >= 4 && data[0] == 0x89 && data[1] == 'P') continue;  // PNG
    std::optional<DecodedImage> image = DecodeDib(data, std::nullopt, true);
    if (!image) continue;
    if (type == 2) {  // a cursor keeps its hot spot where an icon keeps planes and bit count
      image->hotX = static_cast<int32_t>(U16(file, entry + 4));
      image->hotY = static_cast<int32_t>(U16(file, entry + 6));
    }
    images.push_back(std::move(*image));
  }
  return images;
}

}  // namespace tarvex
