// The program's pictures as Windows stores them (BMP, ICO, CUR), decoded
// without an image library: the Linux program would otherwise load three image
// plugins at start-up to read five bitmaps, an icon and a cursor.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarvex {

struct DecodedImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t hotX = 0;  // cursors: the hot spot; 0 otherwise
  int32_t hotY = 0;
  std::vector<uint32_t> argb;  // 0xAARRGGBB, top row first, not premultiplied
};

// A .bmp file: uncompressed 1, 4, 8, 24 or 32 bits per pixel, either row
// order. Every pixel comes out opaque. Empty for anything else or a short file.
std::optional<DecodedImage> DecodeBmpFile(std::span<const uint8_t> file);

// A packed DIB, as a bitmap resource holds it: the .bmp file without its
// 14-byte file header, the pixels right after the palette. Same rules.
std::optional<DecodedImage> DecodePackedDib(std::span<const uint8_t> dib);

// Every image of a .ico or .cur file that is stored as a bitmap (PNG entries
// are skipped), in directory order. Transparency comes from the alpha channel
// of 32-bit images that have one, else from the AND mask. Empty when the
// directory or every entry is malformed.
std::vector<DecodedImage> DecodeIconFile(std::span<const uint8_t> file);

}  // namespace tarvex
