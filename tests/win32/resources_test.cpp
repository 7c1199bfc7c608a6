// The resources linked into the program: menu, strings, dialog templates,
// icons, version record, manifest, and the dialog class they name.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "app/resource.h"
#include "bwcc/bwcc_win.h"
#include "model/command_ids.h"
#include "model/graph_settings.h"

namespace ondrix {
namespace {

struct MenuEntry {
  int depth;
  std::string text;  // "-" for a separator
  int id;            // -1 for a pop-up
};

void WalkMenu(HMENU menu, int depth, std::vector<MenuEntry>& entries) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_GRAYED | MFS_DISABLED), 0u) << text;
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back({depth, "-", 0});
    } else if (info.hSubMenu != nullptr) {
      entries.push_back({depth, text, -1});
      WalkMenu(info.hSubMenu, depth + 1, entries);
    } else {
      entries.push_back({depth, text, static_cast<int>(info.wID)});
    }
  }
}

TEST(ResourcesTest, GraphMenuHasItsEntriesInOrderUncheckedAndEnabled) {
  HMENU menu = LoadMenuA(appInstance, "GRAPH");
  ASSERT_NE(menu, nullptr);
  std::vector<MenuEntry> entries;
  WalkMenu(menu, 0, entries);
  DestroyMenu(menu);
  const std::vector<MenuEntry> expected = {
      {0, "&Graph", -1},
      {1, "&Sine\t1", CM_SINE},
      {1, "&Cosine\t2", CM_COSINE},
      {1, "&Tangent\t3", CM_TANGENT},
      {1, "&Cotangent\t4", CM_COTANGENT},
      {1, "&Secant\t5", CM_SECANT},
      {1, "&Cosecant\t6", CM_COSECANT},
      {1, "-", 0},
      {1, "Point &Connection", -1},
      {2, "&Connected Dots", CM_CONNECTED_DOTS},
      {2, "&Unconnected Dots", CM_UNCONNECTED_DOTS},
      {2, "-", 0},
      {2, "&No Point Connection", CM_NO_CONNECTION},
      {1, "Point &Sonar\tPeriod", CM_POINT_SONAR},
      {1, "-", 0},
      {1, "&Grid Lines\tSpace", CM_GRID_LINES},
      {1, "Grid &Properties...\tAlt+Enter", CM_GRID_PROPERTIES},
      {1, "-", 0},
      {1, "&Print Graph...", CM_PRINT_GRAPH},
      {1, "&Page Setup...", CM_PAGE_SETUP},
      {1, "-", 0},
      {1, "&About...", CM_ABOUT},
      {1, "-", 0},
      {1, "E&xit", CM_EXIT},
  };
  ASSERT_EQ(entries.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(entries[i].depth, expected[i].depth);
    EXPECT_EQ(entries[i].text, expected[i].text);
    EXPECT_EQ(entries[i].id, expected[i].id);
  }
}

TEST(ResourcesTest, StringTableMatchesTheModelsNamesAndDefaults) {
  auto load = [](UINT id) {
    char text[50] = {};
    LoadStringA(appInstance, id, text, sizeof text);
    return std::string(text);
  };
  for (int i = 0; i < kColorCount; ++i) {
    EXPECT_EQ(load(static_cast<UINT>(i)), kColorNames[i]);
  }
  for (int i = 0; i < kValueCount; ++i) {
    EXPECT_EQ(load(static_cast<UINT>(200 + i)), kValueNames[i]);
    EXPECT_EQ(load(static_cast<UINT>(300 + i)), kDefaultValueTexts[i]);
  }
  // Nothing beyond the three ranges.
  for (UINT id : {8u, 199u, 212u, 299u, 312u}) {
    char text[50] = {};
    EXPECT_EQ(LoadStringA(appInstance, id, text, sizeof text), 0) << id;
  }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Control rectangle in dialog units, from its pixels.
RECT DialogUnitsOf(HWND dialog, HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  RECT unit = {0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  return RECT{MulDiv(rect.left, 4, unit.right), MulDiv(rect.top, 8, unit.bottom),
              MulDiv(rect.right - rect.left, 4, unit.right),
              MulDiv(rect.bottom - rect.top, 8, unit.bottom)};
}

struct ControlCheck {
  int id;
  const char* className;
  const char* text;
  DWORD style;   // all of these bits set
  DWORD absent;  // none of these
  RECT units;    // x, y, width, height
};

struct DialogCheck {
  const char* name;
  const char* caption;
  DWORD style;
  int childCount;
  std::vector<ControlCheck> controls;
};

int CountChildren(HWND dialog) {
  int count = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  return count;
}

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kEditStyle = WS_VISIBLE | WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

TEST(ResourcesTest, DialogTemplatesLoadWithTheirClassCaptionAndControls) {
  const DialogCheck dialogs[] = {
      {"ABOUT",
       "About Ondrix 1.6",
       kDialogStyle,
       11,
       {
           {IDOK, "Button", "&Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, WS_GROUP, {73, 120, 50, 14}},
       }},
      {"PRINT_DIALOG",
       "Printing Graph...",
       kDialogStyle | WS_MINIMIZEBOX,
       9,
       {
           {IDC_PRINT_FUNCTION, "Static", "", WS_GROUP, SS_RIGHT, {75, 4, 80, 8}},
           {IDC_PRINT_CONNECTION, "Static", "", WS_GROUP, SS_RIGHT, {75, 13, 80, 8}},
           {IDC_PRINT_GRID, "Static", "", WS_GROUP, SS_RIGHT, {75, 22, 80, 8}},
           {IDC_PRINT_SONAR, "Static", "", WS_GROUP, SS_RIGHT, {75, 31, 80, 8}},
           {IDCANCEL, "Button", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {54, 47, 50, 14}},
       }},
      {"PROPERTIES",
       "Grid Properties - Ondrix",
       kDialogStyle,
       37,
       {
           {IDC_TICK_MARK_SIZE, "Edit", "", kEditStyle, ES_MULTILINE, {69, 16, 41, 12}},
           {IDC_A_MODIFIER, "Edit", "", kEditStyle, ES_MULTILINE, {69, 48, 41, 12}},
           {IDC_Y_TICK_FREQUENCY, "Edit", "", kEditStyle, ES_MULTILINE, {180, 165, 41, 12}},
           {IDC_GRID_ELEMENT,
            "ComboBox",
            "",
            CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
            0,
            {127, 27, 96, 0}},
           {IDC_COLOR_SWATCH,
            "Button",
            "Button",
            BS_OWNERDRAW | WS_DISABLED | WS_TABSTOP,
            0,
            {127, 45, 29, 20}},
           {IDC_CHANGE_COLOR,
            "Button",
            "Change Color",
            WS_TABSTOP,
            BS_DEFPUSHBUTTON,
            {162, 48, 58, 14}},
           {IDOK, "Button", "&Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {122, 77, 50, 14}},
           {IDCANCEL, "Button", "&Cancel", WS_TABSTOP, BS_DEFPUSHBUTTON, {122, 99, 50, 14}},
           {IDC_APPLY, "Button", "&Apply", WS_TABSTOP, BS_DEFPUSHBUTTON, {177, 77, 50, 14}},
           {IDC_PI, "Button", "Pi", WS_VISIBLE, WS_TABSTOP | BS_DEFPUSHBUTTON, {203, 99, 24, 14}},
       }},
  };
  for (const DialogCheck& check : dialogs) {
    SCOPED_TRACE(check.name);
    HWND dialog = CreateDialogParamA(appInstance, check.name, nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassOf(dialog), "BorDlg_Gray");
    EXPECT_EQ(TextOf(dialog), check.caption);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    EXPECT_EQ(style & check.style, check.style);
    EXPECT_EQ(style & WS_MINIMIZEBOX, check.style & WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetMenu(dialog), nullptr);
    EXPECT_EQ(CountChildren(dialog), check.childCount);
    for (const ControlCheck& control : check.controls) {
      SCOPED_TRACE("control " + std::to_string(control.id));
      HWND item = GetDlgItem(dialog, control.id);
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(ClassOf(item), control.className);
      EXPECT_EQ(TextOf(item), control.text);
      const DWORD itemStyle = static_cast<DWORD>(GetWindowLongA(item, GWL_STYLE));
      EXPECT_EQ(itemStyle & (control.style | WS_CHILD | WS_VISIBLE),
                control.style | WS_CHILD | WS_VISIBLE);
      EXPECT_EQ(itemStyle & control.absent, 0u);
      const RECT units = DialogUnitsOf(dialog, item);
      EXPECT_NEAR(units.left, control.units.left, 1);
      EXPECT_NEAR(units.top, control.units.top, 1);
      EXPECT_NEAR(units.right, control.units.right, 1);
      if (control.units.bottom != 0) {
        EXPECT_NEAR(units.bottom, control.units.bottom, 1);
      }
    }
    DestroyWindow(dialog);
  }
}

TEST(ResourcesTest, TheValueEditOfEachIndexIsTwoHundredPlusIndex) {
  HWND dialog = CreateDialogParamA(appInstance, "PROPERTIES", nullptr, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  const char* labels[kValueCount] = {
      "A Modifier:",     "B Modifier:",  "C Modifier:", "D Modifier:",
      "Tick Mark Size:", "Sonar Width:", "X Minimum:",  "X Maximum:",
      "X Tick Mark:",    "Y Minimum:",   "Y Maximum:",  "Y Tick Mark:"};
  for (int i = 0; i < kValueCount; ++i) {
    HWND edit = GetDlgItem(dialog, IDC_VALUE_FIRST + i);
    ASSERT_NE(edit, nullptr) << i;
    EXPECT_EQ(ClassOf(edit), "Edit");
    // Each edit follows its label in the tab order.
    EXPECT_EQ(TextOf(GetWindow(edit, GW_HWNDPREV)), labels[i]);
  }
  DestroyWindow(dialog);
}

struct GroupIconEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};

TEST(ResourcesTest, IconsAreSixteenColourSinesWithMasks) {
  struct Icon {
    const char* name;
    int size;
  };
  for (const Icon& icon : {Icon{"SINE_ZZZICON", 16}, Icon{"SINE_LARGE", 32}}) {
    SCOPED_TRACE(icon.name);
    HRSRC group = FindResourceA(appInstance, icon.name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(appInstance, group)));
    ASSERT_NE(bytes, nullptr);
    WORD count = 0;
    std::memcpy(&count, bytes + 4, sizeof count);
    ASSERT_EQ(count, 1);
    GroupIconEntry entry = {};
    std::memcpy(&entry, bytes + 6, sizeof entry);
    EXPECT_EQ(entry.width, icon.size);
    EXPECT_EQ(entry.height, icon.size);
    EXPECT_EQ(entry.colorCount, 16);
    EXPECT_EQ(entry.bitCount, 4);

    HICON handle =
        static_cast<HICON>(LoadImageA(appInstance, icon.name, IMAGE_ICON, icon.size, icon.size, 0));
    ASSERT_NE(handle, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    EXPECT_NE(info.hbmMask, nullptr);
    // The mask leaves the corners transparent and covers the curve.
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, icon.size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, info.hbmMask);
    EXPECT_EQ(GetPixel(dc, icon.size - 1, 0), RGB(255, 255, 255));
    int opaque = 0;
    for (int y = 0; y < icon.size; ++y) {
      opaque += GetPixel(dc, icon.size / 4, y) == RGB(0, 0, 0) ? 1 : 0;
    }
    EXPECT_GE(opaque, 1);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(handle);
  }
}

std::string VersionString(const std::vector<char>& block, const char* key) {
  void* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr) {
    return "<missing>";
  }
  return static_cast<const char*>(value);
}

TEST(ResourcesTest, VersionRecordHasTheFixedPartAndOneStringBlock) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 103u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 103u);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Cu);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS16));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileDateMS, 0u);
  EXPECT_EQ(fixed->dwFileDateLS, 0u);

  EXPECT_EQ(VersionString(block, "FileDescription"), "Ondrix 1.6 for Win32");
  EXPECT_EQ(VersionString(block, "FileVersion"), "1.6");
  EXPECT_EQ(VersionString(block, "ProductName"), "Ondrix 1.6 for Win32");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "1.6");
  const std::string internalName = VersionString(block, "InternalName");
  EXPECT_EQ(internalName, "ONDRIX");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), internalName + ".EXE");
  EXPECT_NE(VersionString(block, "LegalCopyright"), "<missing>");

  void* translation = nullptr;
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) &&
               length > 0);
}

TEST(ResourcesTest, ManifestAsksForCommonControlsSixDpiAwarenessAndListsTheSystems) {
  HRSRC resource = FindResourceA(appInstance, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(resource, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(appInstance, resource)));
  const std::string manifest(bytes, SizeofResource(appInstance, resource));
  for (const char* part : {
           "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
           "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
           ">true/pm</dpiAware>",
           ">PerMonitorV2</dpiAwareness>",
       }) {
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
