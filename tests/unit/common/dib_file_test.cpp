// BMP, ICO and CUR decoding: row order, palettes, row padding, masks and alpha,
// hot spots, malformed files, and the program's own pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "common/dib_file.h"

namespace tarvex {
namespace {

// Files built field by field as the formats lay them out.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& U8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); return *this; }
  Bytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  Bytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  Bytes& Add(const std::vector<uint8_t>& more) { b.insert(b.end(), more.begin(), more.end()); return *this; }
};

std::vector<uint8_t> InfoHeader(int32_t width, int32_t height, uint32_t bits, uint32_t colours = 0,
                                uint32_t compression = 0) {
  Bytes h;
  h.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U16(1).U16(bits);
  h.U32(compression).U32(0).U32(0).U32(0).U32(colours).U32(0);
  return h.b;
}

std::vector<uint8_t> BmpFile(const std::vector<uint8_t>& info, const std::vector<uint8_t>& palette,
                             const std::vector<uint8_t>& rows) {
  const uint32_t bitsAt = 14 + static_cast<uint32_t>(info.size() + palette.size());
  Bytes f;
  f.U8('B').U8('M').U32(bitsAt + static_cast<uint32_t>(rows.size())).U32(0).U32(bitsAt);
  return f.Add(info).Add(palette).Add(rows).b;
}

struct IconEntry {
  std::vector<uint8_t> data;
  uint32_t planesOrHotX = 1, bitsOrHotY = 32;
};

std::vector<uint8_t> IconFile(uint32_t type, const std::vector<IconEntry>& entries) {
  Bytes f;
  f.U16(0).U16(type).U16(static_cast<uint32_t>(entries.size()));
  uint32_t at = 6 + 16 * static_cast<uint32_t>(entries.size());
  for (const IconEntry& e : entries) {
    f.U8(0).U8(0).U8(0).U8(0).U16(e.planesOrHotX).U16(e.bitsOrHotY);
    f.U32(static_cast<uint32_t>(e.data.size())).U32(at);
    at += static_cast<uint32_t>(e.data.size());
  }
  for (const IconEntry& e : entries) f.Add(e.data);
  return f.b;
}

TEST(DecodeBmpFile, RowOrderPaddingPalettesAndDepths) {
  // 3 x 2 at 24 bits: rows of 9 bytes padded to 12, stored bottom row first.
  const std::vector<uint8_t> bottomUp = {
      0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0xEE, 0xEE, 0xEE,   // bottom row
      0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 0xEE, 0xEE, 0xEE};  // top row
  const auto image = DecodeBmpFile(BmpFile(InfoHeader(3, 2, 24), {}, bottomUp));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->argb, (std::vector<uint32_t>{0xFF102030, 0xFF405060, 0xFF708090,
                                                0xFF010203, 0xFF040506, 0xFF070809}));

  // A negative height stores the top row first.
  std::vector<uint8_t> topDown(bottomUp.begin() + 12, bottomUp.end());
  topDown.insert(topDown.end(), bottomUp.begin(), bottomUp.begin() + 12);
  const auto flipped = DecodeBmpFile(BmpFile(InfoHeader(3, -2, 24), {}, topDown));
  ASSERT_TRUE(flipped);
  EXPECT_EQ(flipped->argb, image->argb);

  // 8 bits with a two-colour palette: an index past it reads as black.
  const std::vector<uint8_t> palette = {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0};  // red, blue
  const auto indexed = DecodeBmpFile(BmpFile(InfoHeader(3, 1, 8, 2), palette, {1, 0, 7, 0}));
  ASSERT_TRUE(indexed);
  EXPECT_EQ(indexed->argb, (std::vector<uint32_t>{0xFF0000FF, 0xFFFF0000, 0xFF000000}));

  // 1 and 4 bits take the high bits first.
  const auto mono = DecodeBmpFile(BmpFile(InfoHeader(10, 1, 1), palette, {0b10100000, 0b01000000, 0, 0}));
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->argb[0], 0xFF0000FFu);
  EXPECT_EQ(mono->argb[1], 0xFFFF0000u);
  EXPECT_EQ(mono->argb[2], 0xFF0000FFu);
  EXPECT_EQ(mono->argb[9], 0xFF0000FFu);
  const auto nibbles = DecodeBmpFile(BmpFile(InfoHeader(3, 1, 4, 2), palette, {0x10, 0x10, 0, 0}));
  ASSERT_TRUE(nibbles);
  EXPECT_EQ(nibbles->argb, (std::vector<uint32_t>{0xFF0000FF, 0xFFFF0000, 0xFF0000FF}));

  // A bitmap's fourth byte is padding, not transparency.
  const auto wide = DecodeBmpFile(BmpFile(InfoHeader(1, 1, 32), {}, {0x11, 0x22, 0x33, 0x00}));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->argb, std::vector<uint32_t>{0xFF332211});

  // A resource's packed DIB: the same file less its file header, the pixels
  // found after the palette.
  const std::vector<uint8_t> file = BmpFile(InfoHeader(3, 1, 8, 2), palette, {1, 0, 7, 0});
  const auto packed = DecodePackedDib(std::span(file).subspan(14));
  ASSERT_TRUE(packed);
  EXPECT_EQ(packed->argb, indexed->argb);
  EXPECT_FALSE(DecodePackedDib(std::span(file).subspan(14, 40 + 8 + 2)));  // rows cut short
}

TEST(DecodeIconFile, MaskAlphaHotSpotAndSkippedEntries) {
  // 2 x 2 at 24 bits: colour rows padded to 8 bytes, then the AND mask rows
  // padded to 4. The mask lets the screen through at the bottom-right pixel.
  Bytes masked;
  masked.Add(InfoHeader(2, 4, 24));
  masked.Add({1, 2, 3, 4, 5, 6, 0, 0, /**/ 7, 8, 9, 10, 11, 12, 0, 0});
  masked.Add({0b01000000, 0, 0, 0, /**/ 0, 0, 0, 0});
  // 32 bits with alpha: the alpha decides, the all-opaque mask is ignored.
  Bytes alpha;
  alpha.Add(InfoHeader(1, 2, 32)).Add({0x10, 0x20, 0x30, 0x80}).Add({0, 0, 0, 0});
  // 32 bits without alpha: the mask decides.
  Bytes noAlpha;
  noAlpha.Add(InfoHeader(1, 2, 32)).Add({0x10, 0x20, 0x30, 0x00}).Add({0x80, 0, 0, 0});
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

  const auto icons = DecodeIconFile(IconFile(1, {{masked.b}, {png}, {alpha.b}, {noAlpha.b}}));
  ASSERT_EQ(icons.size(), 3u);
  EXPECT_EQ(icons[0].width, 2);
  EXPECT_EQ(icons[0].height, 2);
  EXPECT_EQ(icons[0].argb, (std::vector<uint32_t>{0xFF090807, 0xFF0C0B0A, 0xFF030201, 0x00000000}));
  EXPECT_EQ(icons[1].argb, std::vector<uint32_t>{0x80302010});
  EXPECT_EQ(icons[2].argb, std::vector<uint32_t>{0x00000000});
  EXPECT_EQ(icons[0].hotX, 0);

  // A cursor keeps its hot spot where an icon keeps planes and bit count.
  const auto cursors = DecodeIconFile(IconFile(2, {{masked.b, 1, 0}, {masked.b, 10, 12}}));
  ASSERT_EQ(cursors.size(), 2u);
  EXPECT_EQ(cursors[1].hotX, 10);
  EXPECT_EQ(cursors[1].hotY, 12);
}

TEST(DibFiles, MalformedFilesAreRefusedWithoutReadingPastThem) {
  const std::vector<uint8_t> bmp = BmpFile(InfoHeader(3, 2, 24), {}, std::vector<uint8_t>(24, 0x55));
  ASSERT_TRUE(DecodeBmpFile(bmp));
  // Every shorter file is refused (the sanitizers catch a read past the end).
  for (size_t n = 0; n < bmp.size(); ++n) {
    EXPECT_FALSE(DecodeBmpFile(std::span(bmp).first(n))) << "cut at " << n;
  }
  auto patched = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> f = bmp;
    f[at] = value;
    return f;
  };
  EXPECT_FALSE(DecodeBmpFile(patched(0, 'X')));        // not BM
  EXPECT_FALSE(DecodeBmpFile(patched(14 + 16, 1)));    // run-length compressed
  EXPECT_FALSE(DecodeBmpFile(patched(14 + 14, 16)));   // 16 bits per pixel
  EXPECT_FALSE(DecodeBmpFile(patched(14 + 4, 0)));     // no width
  EXPECT_FALSE(DecodeBmpFile(patched(14 + 7, 0x40)));  // a width past any picture
  EXPECT_FALSE(DecodeBmpFile(patched(14 + 0, 0xFF)));  // a header longer than the file
  EXPECT_FALSE(DecodeBmpFile(patched(10, 0xF0)));      // pixels past the end

  Bytes entry;
  entry.Add(InfoHeader(2, 4, 24)).Add(std::vector<uint8_t>(16 + 8, 0));
  const std::vector<uint8_t> ico = IconFile(1, {{entry.b}, {entry.b}});
  ASSERT_EQ(DecodeIconFile(ico).size(), 2u);
  for (size_t n = 0; n < ico.size(); ++n) {
    EXPECT_LT(DecodeIconFile(std::span(ico).first(n)).size(), 2u) << "cut at " << n;
  }
  std::vector<uint8_t> wrongType = ico;
  wrongType[2] = 3;
  EXPECT_TRUE(DecodeIconFile(wrongType).empty());
  std::vector<uint8_t> entryPastEnd = ico;
  entryPastEnd[6 + 12 + 1] = 0x7F;  // the first image's offset
  EXPECT_EQ(DecodeIconFile(entryPastEnd).size(), 1u);
}

std::vector<uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(std::string(TARVEX_SOURCE_DIR) + "/src/host/win32/res/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DibFiles, TheProgramsOwnPicturesDecode) {
  const auto strip = DecodeBmpFile(ReadFile("strip.bmp"));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->width, 577);
  EXPECT_EQ(strip->height, 60);
  for (const char* tab : {"tab0.bmp", "tab1.bmp", "tab2.bmp", "tab3.bmp"}) {
    const auto image = DecodeBmpFile(ReadFile(tab));
    ASSERT_TRUE(image) << tab;
    EXPECT_EQ(image->width, 16);
  }

  const auto icon = DecodeIconFile(ReadFile("tarvex.ico"));
  std::vector<int32_t> sides;
  for (const DecodedImage& i : icon) sides.push_back(i.width);
  EXPECT_EQ(sides, (std::vector<int32_t>{48, 32, 16}));
  // An icon that is not a square block: some pixels let the screen through.
  for (const DecodedImage& i : icon) {
    EXPECT_TRUE(std::any_of(i.argb.begin(), i.argb.end(), [](uint32_t p) { return (p >> 24) == 0; }));
    EXPECT_TRUE(std::any_of(i.argb.begin(), i.argb.end(), [](uint32_t p) { return (p >> 24) == 0xFF; }));
  }
  EXPECT_EQ(DecodeIconFile(ReadFile("record.ico")).size(), 1u);

  const auto hand = DecodeIconFile(ReadFile("hand.cur"));
  ASSERT_EQ(hand.size(), 1u);
  EXPECT_EQ(hand[0].width, 32);
  EXPECT_EQ(hand[0].hotX, 10);
  EXPECT_EQ(hand[0].hotY, 10);
}

}  // namespace
}  // namespace tarvex
