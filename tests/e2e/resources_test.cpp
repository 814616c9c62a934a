// The pictures compiled into tarvex.exe: the icon in its three sizes and the
// links' two-colour pointing hand with its hot spot at the fingertip.
#include <gtest/gtest.h>

#include "tarvex_app.h"

namespace tarvex::e2e {
namespace {

constexpr int kIconId = 101;      // IDI_TARVEX
constexpr int kLinkHandId = 301;  // IDC_LINKHAND

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW((BuildDir() / L"tarvex.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  HMODULE module = nullptr;
};

TEST_F(ProgramResources, IconComesIn48_32And16Pixels) {
  for (int size : {48, 32, 16}) {
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(ProgramResources, LinkHandIsTwoColour32PixelsWithTheHotSpotAtTheFingertip) {
  HCURSOR hand = static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(kLinkHandId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 10u);
  EXPECT_EQ(info.yHotspot, 10u);
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmBitsPixel, 1);  // AND and XOR masks: a monochrome cursor
  EXPECT_EQ(info.hbmColor, nullptr);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyCursor(hand);
}

}  // namespace
}  // namespace tarvex::e2e
