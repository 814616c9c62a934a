// The owning handles: each closes its handle exactly once, moves without
// closing, hands it over on Release, and owners of GDI objects keep the live
// count that the end-to-end tests read from outside.
#include <gtest/gtest.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace tarvex {
namespace {

bool GdiObjectExists(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(UniqueHandle, GdiOwnersCloseOnceAndCountWhatTheyHold) {
  const long base = LiveGdiObjects();
  UniqueBrush a(CreateSolidBrush(RGB(1, 2, 3)));
  const HBRUSH first = a.Get();
  ASSERT_TRUE(a);
  EXPECT_EQ(LiveGdiObjects(), base + 1);

  UniqueBrush b(std::move(a));  // one object, one count
  EXPECT_FALSE(a);
  EXPECT_EQ(b.Get(), first);
  EXPECT_EQ(LiveGdiObjects(), base + 1);

  b = UniqueBrush(CreateSolidBrush(RGB(4, 5, 6)));  // the old brush goes
  EXPECT_FALSE(GdiObjectExists(first));
  EXPECT_EQ(LiveGdiObjects(), base + 1);

  const HBRUSH handedOver = b.Release();  // no longer ours to count or delete
  EXPECT_FALSE(b);
  EXPECT_EQ(LiveGdiObjects(), base);
  EXPECT_TRUE(GdiObjectExists(handedOver));
  DeleteObject(handedOver);

  HBITMAP bitmap = nullptr;
  {
    const UniqueMemoryDc dc = CreateMemoryDc(nullptr);
    const UniqueBitmap owned(CreateCompatibleBitmap(dc.Get(), 4, 4));
    bitmap = owned.Get();
    const UniqueSelection selected = SelectInto(dc.Get(), owned.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap);
    EXPECT_EQ(LiveGdiObjects(), base + 2);
  }  // deselected first, so the bitmap can really be deleted
  EXPECT_FALSE(GdiObjectExists(bitmap));
  EXPECT_EQ(LiveGdiObjects(), base);

  {
    UniqueRegion region;
    region.Reset(CreateRectRgn(0, 0, 2, 2));
    region.Reset(CreateRectRgn(0, 0, 3, 3));
    EXPECT_EQ(LiveGdiObjects(), base + 1);
  }
  EXPECT_EQ(LiveGdiObjects(), base);
}

TEST(UniqueHandle, KernelAndRegistryOwnersCloseAndAreNotCounted) {
  const long base = LiveGdiObjects();
  HANDLE event = nullptr;
  {
    const UniqueHandle owned(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(owned);
    event = owned.Get();
    EXPECT_EQ(LiveGdiObjects(), base);
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(event, &flags));  // closed

  EXPECT_FALSE(FileHandle(INVALID_HANDLE_VALUE));  // CreateFile's failure is empty, never closed

  UniqueHkey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Put()), ERROR_SUCCESS);
  EXPECT_TRUE(key);
  DWORD subKeys = 0;
  EXPECT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
}

}  // namespace
}  // namespace tarvex
