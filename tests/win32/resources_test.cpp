// The resources linked into the program: what the code relies on finding
// there (dialog classes, control IDs and classes, accelerators, strings,
// icons, version record, manifest).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bwcc/bwcc_win.h"
#include "dialogs/control_ids.h"
#include "model/graph_settings.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Control {
  int id;
  const char* className;
};

TEST(ResourcesTest, DialogsLoadAsGreyDialogsWithTheControlsTheCodeUses) {
  struct Dialog {
    const char* name;
    const char* caption;
    std::vector<Control> controls;
  };
  std::vector<Control> properties = {{IDOK, "Button"},
                                     {IDCANCEL, "Button"},
                                     {IDC_APPLY, "Button"},
                                     {IDC_PI, "Button"},
                                     {IDC_CHANGE_COLOR, "Button"},
                                     {IDC_COLOR_SWATCH, "Button"},
                                     {IDC_GRID_ELEMENT, "ComboBox"}};
  for (int i = 0; i < kValueCount; ++i) {
    properties.push_back({IDC_VALUE_FIRST + i, "Edit"});
  }
  const Dialog dialogs[] = {
      {"ABOUT", "About Ondrix 1.6", {{IDOK, "Button"}}},
      {"PRINT_DIALOG",
       "Printing Graph...",
       {{IDCANCEL, "Button"},
        {IDC_PRINT_FUNCTION, "Static"},
        {IDC_PRINT_CONNECTION, "Static"},
        {IDC_PRINT_GRID, "Static"},
        {IDC_PRINT_SONAR, "Static"}}},
      {"PROPERTIES", "Grid Properties - Ondrix", properties},
  };
  for (const Dialog& expected : dialogs) {
    SCOPED_TRACE(expected.name);
    HWND dialog = CreateDialogParamA(appInstance, expected.name, nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassOf(dialog), "BorDlg_Gray");
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, expected.caption);
    for (const Control& control : expected.controls) {
      HWND item = GetDlgItem(dialog, control.id);
      ASSERT_NE(item, nullptr) << control.id;
      EXPECT_EQ(ClassOf(item), control.className) << control.id;
    }
    DestroyWindow(dialog);
  }
}

TEST(ResourcesTest, ColourSwatchIsOwnerDrawn) {
  HWND dialog = CreateDialogParamA(appInstance, "PROPERTIES", nullptr, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(dialog, IDC_COLOR_SWATCH), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
  DestroyWindow(dialog);
}

TEST(ResourcesTest, StringTableMatchesTheModelsNamesAndDefaults) {
  struct Range {
    UINT first;
    int count;
    const char* const* texts;
  };
  for (const Range& range :
       {Range{0, kColorCount, kColorNames}, Range{200, kValueCount, kValueNames},
        Range{300, kValueCount, kDefaultValueTexts}}) {
    for (int i = 0; i < range.count; ++i) {
      char text[50] = {};
      LoadStringA(appInstance, range.first + static_cast<UINT>(i), text, sizeof text);
      EXPECT_STREQ(text, range.texts[i]) << range.first + static_cast<UINT>(i);
    }
  }
}

TEST(ResourcesTest, IconsHaveTheirSizes) {
  for (int size : {16, 32}) {
    const char* name = size == 16 ? "SINE_ZZZICON" : "SINE_LARGE";
    SCOPED_TRACE(name);
    HICON icon = static_cast<HICON>(LoadImageA(appInstance, name, IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
}

TEST(ResourcesTest, VersionRecordNamesTheProgram) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  struct Entry {
    const char* key;
    const char* value;
  };
  for (const Entry& entry :
       {Entry{"FileDescription", "Ondrix 1.6 for Win32"}, Entry{"FileVersion", "1.6"},
        Entry{"ProductName", "Ondrix 1.6 for Win32"}, Entry{"ProductVersion", "1.6"},
        Entry{"InternalName", "ONDRIX"}, Entry{"OriginalFilename", "ONDRIX.EXE"}}) {
    void* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + entry.key;
    ASSERT_TRUE(VerQueryValueA(block.data(), key.c_str(), &value, &length)) << entry.key;
    EXPECT_STREQ(static_cast<const char*>(value), entry.value);
  }
}

TEST(ResourcesTest, ManifestAsksForCommonControlsSixAndDpiAwareness) {
  HRSRC resource = FindResourceA(appInstance, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(resource, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(appInstance, resource)));
  const std::string manifest(bytes, SizeofResource(appInstance, resource));
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                           ">PerMonitorV2</dpiAwareness>"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST(BwccTest, RegisterIsIdempotentAndMakesAGreyStandardDialogClass) {
  EXPECT_TRUE(BWCCRegister(appInstance));
  EXPECT_TRUE(BWCCRegister(appInstance));
  WNDCLASSA info = {};
  ASSERT_TRUE(GetClassInfoA(appInstance, "BorDlg_Gray", &info));
  EXPECT_EQ(info.cbWndExtra, DLGWINDOWEXTRA);
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace
}  // namespace ondrix
