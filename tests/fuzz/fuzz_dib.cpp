// libFuzzer target for the BMP, ICO and CUR reader. Checks, besides memory
// safety:
//  - every image it returns has a positive size and one pixel per cell;
//  - a bitmap comes out opaque;
//  - no image has more pixels than the file has bits (a file too short for
//    its header's size is refused, never padded).
// Run: build/fuzz/fuzz_dib -max_total_time=60 tests/fuzz/corpus_dib
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/dib_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckShape(const tarvex::DecodedImage& image, size_t fileSize) {
  Check(image.width > 0 && image.height > 0);
  const uint64_t cells = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height);
  Check(image.argb.size() == cells);
  Check(cells <= static_cast<uint64_t>(fileSize) * 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::span<const uint8_t> file(bytes, size);
  if (const auto bitmap = tarvex::DecodeBmpFile(file)) {
    CheckShape(*bitmap, size);
    for (uint32_t pixel : bitmap->argb) Check((pixel >> 24) == 0xFF);
  }
  for (const tarvex::DecodedImage& image : tarvex::DecodeIconFile(file)) CheckShape(image, size);
  return 0;
}
