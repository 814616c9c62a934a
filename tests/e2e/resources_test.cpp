// The resources compiled into tarvex.exe: the icon in its three sizes, the
// links' two-colour pointing hand with its hot spot at the fingertip, and the
// version block.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "tarvex_app.h"
#include "tarvex_version.h"

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

// What Explorer's properties page shows: the version block's texts, read as
// Explorer reads them (the first translation), and the numeric version.
TEST_F(ProgramResources, VersionBlockNamesProductVersionDescriptionAndCopyright) {
  const std::wstring exe = (BuildDir() / L"tarvex.exe").wstring();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
  ASSERT_GE(length, sizeof(Translation));
  auto text = [&](const wchar_t* name) {
    wchar_t path[80];
    swprintf(path, 80, L"\\StringFileInfo\\%04x%04x\\%ls", translations->language, translations->codePage, name);
    wchar_t* value = nullptr;
    UINT chars = 0;
    return VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &chars) && value ? std::wstring(value) : std::wstring();
  };
  EXPECT_EQ(text(L"ProductName"), L"Tarvex");
  EXPECT_EQ(text(L"ProductVersion"), L"" TARVEX_VERSION_STRING);
  EXPECT_NE(text(L"FileDescription").find(L"前台程序加速"), std::wstring::npos);
  EXPECT_NE(text(L"LegalCopyright").find(L"©"), std::wstring::npos);
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(TARVEX_VERSION_MAJOR << 16 | TARVEX_VERSION_MINOR));
  EXPECT_EQ(HIWORD(fixed->dwProductVersionLS), TARVEX_VERSION_PATCH);
}

}  // namespace
}  // namespace tarvex::e2e
