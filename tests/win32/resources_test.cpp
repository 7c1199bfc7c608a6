// The resources linked into the program: menu, strings, dialog templates,
// icons, version record, manifest, and the dialog class they name.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back({depth, "-", 0});
      continue;
    }
    EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_GRAYED | MFS_DISABLED), 0u) << text;
    if (info.hSubMenu != nullptr) {
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

// A dialog template as stored, before the controls adjust their own styles
// (edits trade WS_BORDER for a client edge, combo boxes hand WS_VSCROLL to
// their list).
struct TemplateItem {
  DWORD style;
  DWORD extendedStyle;
  short x, y, width, height;
  int id;
  std::string className;  // a predefined class by its name
  std::string text;
};

struct Template {
  DWORD style;
  DWORD extendedStyle;
  short x, y, width, height;
  bool hasMenu;
  std::string className;
  std::string caption;
  int pointSize;
  std::string font;
  std::vector<TemplateItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* bytes) : bytes_(bytes) {}

  Template Read() {
    Template t = {};
    t.style = Dword();
    t.extendedStyle = Dword();
    const WORD count = Word();
    t.x = static_cast<short>(Word());
    t.y = static_cast<short>(Word());
    t.width = static_cast<short>(Word());
    t.height = static_cast<short>(Word());
    t.hasMenu = !NameOrOrdinal().empty();
    t.className = NameOrOrdinal();
    t.caption = String();
    if (t.style & DS_SETFONT) {
      t.pointSize = Word();
      t.font = String();
    }
    for (WORD i = 0; i < count; ++i) {
      offset_ = (offset_ + 3) & ~std::size_t{3};
      TemplateItem item = {};
      item.style = Dword();
      item.extendedStyle = Dword();
      item.x = static_cast<short>(Word());
      item.y = static_cast<short>(Word());
      item.width = static_cast<short>(Word());
      item.height = static_cast<short>(Word());
      item.id = static_cast<short>(Word());
      item.className = NameOrOrdinal();
      item.text = NameOrOrdinal();
      offset_ += Word();  // creation data
      t.items.push_back(item);
    }
    return t;
  }

 private:
  WORD Word() {
    WORD value = 0;
    std::memcpy(&value, bytes_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  DWORD Dword() {
    DWORD value = 0;
    std::memcpy(&value, bytes_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  std::string String() {
    std::string text;
    for (WORD c = Word(); c != 0; c = Word()) {
      text += static_cast<char>(c);
    }
    return text;
  }
  std::string NameOrOrdinal() {
    WORD first = 0;
    std::memcpy(&first, bytes_ + offset_, sizeof first);
    if (first != 0xFFFF) {
      return String();
    }
    offset_ += 2;
    switch (Word()) {
      case 0x80:
        return "Button";
      case 0x81:
        return "Edit";
      case 0x82:
        return "Static";
      case 0x85:
        return "ComboBox";
      default:
        return "#ordinal";
    }
  }

  const BYTE* bytes_;
  std::size_t offset_ = 0;
};

Template LoadTemplate(const char* name) {
  HRSRC resource = FindResourceA(appInstance, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (resource == nullptr) {
    return Template{};
  }
  return TemplateReader(static_cast<const BYTE*>(LockResource(LoadResource(appInstance, resource))))
      .Read();
}

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kText = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kRightText = kChild | SS_RIGHT | WS_GROUP;
constexpr DWORD kIcon = kChild | SS_ICON;
constexpr DWORD kEdit = kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefaultPush = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;

struct DialogExpectation {
  const char* name;
  const char* caption;
  DWORD style;
  short x, y, width, height;
  std::vector<TemplateItem> items;
};

std::vector<TemplateItem> AboutItems() {
  std::vector<TemplateItem> items = {
      {kText, 0, 4, 3, 189, 26, -1, "Static", ""},
      {kIcon, 0, 140, 15, 18, 20, -1, "Static", "SINE_LARGE"},
  };
  for (int n = 3; n <= 10; ++n) {
    items.push_back({kText, 0, 4, static_cast<short>(38 + 9 * (n - 3)), 189, 9, -1, "Static", ""});
  }
  items.push_back({kDefaultPush, 0, 73, 120, 50, 14, IDOK, "Button", "&Ok"});
  return items;
}

TEST(ResourcesTest, DialogTemplatesHoldEveryControlWithItsIdRectangleAndStyle) {
  const DialogExpectation dialogs[] = {
      {"ABOUT", "About Ondrix 1.6", kDialogStyle, 20, 21, 196, 143, AboutItems()},
      {"PRINT_DIALOG",
       "Printing Graph...",
       kDialogStyle | WS_MINIMIZEBOX,
       16,
       28,
       158,
       67,
       {
           {kRightText, 0, 5, 4, 67, 8, -1, "Static", "Type of Graph:"},
           {kText, 0, 75, 4, 80, 8, IDC_PRINT_FUNCTION, "Static", ""},
           {kRightText, 0, 5, 13, 67, 8, -1, "Static", "Connection Method:"},
           {kText, 0, 75, 13, 80, 8, IDC_PRINT_CONNECTION, "Static", ""},
           {kRightText, 0, 5, 22, 67, 8, -1, "Static", "Grid Lines:"},
           {kText, 0, 75, 22, 80, 8, IDC_PRINT_GRID, "Static", ""},
           {kRightText, 0, 5, 31, 67, 8, -1, "Static", "Sonar Status:"},
           {kText, 0, 75, 31, 80, 8, IDC_PRINT_SONAR, "Static", ""},
           {kDefaultPush, 0, 54, 47, 50, 14, IDCANCEL, "Button", "Cancel"},
       }},
      {"PROPERTIES",
       "Grid Properties - Ondrix",
       kDialogStyle,
       12,
       22,
       233,
       201,
       {
           {kText, 0, 11, 18, 55, 8, -1, "Static", "Tick Mark Size:"},
           {kEdit, 0, 69, 16, 41, 12, IDC_TICK_MARK_SIZE, "Edit", ""},
           {kText, 0, 11, 34, 55, 8, -1, "Static", "Sonar Width:"},
           {kEdit, 0, 69, 32, 41, 12, IDC_SONAR_WIDTH, "Edit", ""},
           {kText, 0, 11, 50, 55, 8, -1, "Static", "A Modifier:"},
           {kEdit, 0, 69, 48, 41, 12, IDC_A_MODIFIER, "Edit", ""},
           {kText, 0, 11, 66, 55, 8, -1, "Static", "B Modifier:"},
           {kEdit, 0, 69, 64, 41, 12, IDC_B_MODIFIER, "Edit", ""},
           {kText, 0, 11, 82, 55, 8, -1, "Static", "C Modifier:"},
           {kEdit, 0, 69, 80, 41, 12, IDC_C_MODIFIER, "Edit", ""},
           {kText, 0, 11, 98, 55, 8, -1, "Static", "D Modifier:"},
           {kEdit, 0, 69, 96, 41, 12, IDC_D_MODIFIER, "Edit", ""},
           {kChild | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 0, 127, 27, 96, 82,
            IDC_GRID_ELEMENT, "ComboBox", ""},
           {kChild | BS_OWNERDRAW | WS_DISABLED | WS_TABSTOP, 0, 127, 45, 29, 20, IDC_COLOR_SWATCH,
            "Button", "Button"},
           {kText, 0, 126, 17, 93, 8, -1, "Static", "Grid Element:"},
           {kPush, 0, 162, 48, 58, 14, IDC_CHANGE_COLOR, "Button", "Change Color"},
           {kText, 0, 11, 135, 55, 8, -1, "Static", "X Minimum:"},
           {kEdit, 0, 69, 133, 41, 12, IDC_MINIMUM_X, "Edit", ""},
           {kText, 0, 11, 151, 55, 8, -1, "Static", "X Maximum:"},
           {kEdit, 0, 69, 149, 41, 12, IDC_MAXIMUM_X, "Edit", ""},
           {kText, 0, 11, 167, 55, 8, -1, "Static", "X Tick Mark:"},
           {kEdit, 0, 69, 165, 41, 12, IDC_X_TICK_FREQUENCY, "Edit", ""},
           {kText, 0, 122, 135, 55, 8, -1, "Static", "Y Minimum:"},
           {kEdit, 0, 180, 133, 41, 12, IDC_MINIMUM_Y, "Edit", ""},
           {kText, 0, 122, 151, 55, 8, -1, "Static", "Y Maximum:"},
           {kEdit, 0, 180, 149, 41, 12, IDC_MAXIMUM_Y, "Edit", ""},
           {kText, 0, 122, 167, 55, 8, -1, "Static", "Y Tick Mark:"},
           {kEdit, 0, 180, 165, 41, 12, IDC_Y_TICK_FREQUENCY, "Edit", ""},
           {kGroupBox, 0, 5, 5, 111, 110, -1, "Button", "Grid Properties"},
           {kDefaultPush, 0, 122, 77, 50, 14, IDOK, "Button", "&Ok"},
           {kPush, 0, 122, 99, 50, 14, IDCANCEL, "Button", "&Cancel"},
           {kPush, 0, 177, 77, 50, 14, IDC_APPLY, "Button", "&Apply"},
           {kIcon | WS_DISABLED, 0, 179, 96, 18, 20, -1, "Static", "SINE_LARGE"},
           {kGroupBox, 0, 122, 5, 106, 65, -1, "Button", "Color Values"},
           {kChild | BS_PUSHBUTTON, 0, 203, 99, 24, 14, IDC_PI, "Button", "Pi"},
           {kGroupBox, 0, 5, 122, 223, 63, -1, "Button", "Range Properties"},
           {kChild | SS_CENTER | WS_GROUP, 0, 5, 189, 224, 10, -1, "Static",
            "Equation Example: y = A * cos(B * x + C) + D"},
       }},
  };
  for (const DialogExpectation& expected : dialogs) {
    SCOPED_TRACE(expected.name);
    const Template t = LoadTemplate(expected.name);
    EXPECT_EQ(t.style, expected.style);
    EXPECT_EQ(t.extendedStyle, 0u);
    EXPECT_EQ(t.x, expected.x);
    EXPECT_EQ(t.y, expected.y);
    EXPECT_EQ(t.width, expected.width);
    EXPECT_EQ(t.height, expected.height);
    EXPECT_FALSE(t.hasMenu);
    // The resource compiler upper-cases the class name; class names are
    // matched without regard to case.
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, t.className.c_str(), -1,
                             "BorDlg_Gray", -1),
              CSTR_EQUAL)
        << t.className;
    EXPECT_EQ(t.caption, expected.caption);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");
    ASSERT_EQ(t.items.size(), expected.items.size());
    for (std::size_t i = 0; i < t.items.size(); ++i) {
      SCOPED_TRACE("control #" + std::to_string(i + 1));
      const TemplateItem& item = t.items[i];
      const TemplateItem& want = expected.items[i];
      EXPECT_EQ(item.id, want.id);
      EXPECT_EQ(item.className, want.className);
      EXPECT_EQ(item.style, want.style);
      EXPECT_EQ(item.extendedStyle, 0u);
      EXPECT_EQ(item.x, want.x);
      EXPECT_EQ(item.y, want.y);
      EXPECT_EQ(item.width, want.width);
      EXPECT_EQ(item.height, want.height);
      if (!want.text.empty() || item.className != "Static" || item.id != -1) {
        EXPECT_EQ(item.text, want.text);
      }
    }
  }
}

TEST(ResourcesTest, AboutTextsAreTheTitleBlockAndAnEightLineNote) {
  const Template about = LoadTemplate("ABOUT");
  ASSERT_EQ(about.items.size(), 11u);
  const std::string& title = about.items[0].text;
  EXPECT_EQ(title.rfind("Ondrix 1.6 for Windows NT and 95\n\n", 0), 0u) << title;
  EXPECT_EQ(std::count(title.begin(), title.end(), '\n'), 2);
  EXPECT_GT(title.size(), std::strlen("Ondrix 1.6 for Windows NT and 95\n\n"));
  for (std::size_t i = 2; i < 10; ++i) {
    const std::string& line = about.items[i].text;
    EXPECT_FALSE(line.empty()) << i;
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  }
}

TEST(ResourcesTest, DialogsLoadAsGreyDialogsWithTheirControls) {
  struct Loaded {
    const char* name;
    const char* caption;
    int children;
    int focusId;
  };
  for (const Loaded& check :
       {Loaded{"ABOUT", "About Ondrix 1.6", 11, IDOK},
        Loaded{"PRINT_DIALOG", "Printing Graph...", 9, IDCANCEL},
        Loaded{"PROPERTIES", "Grid Properties - Ondrix", 37, IDC_TICK_MARK_SIZE}}) {
    SCOPED_TRACE(check.name);
    HWND dialog = CreateDialogParamA(appInstance, check.name, nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassOf(dialog), "BorDlg_Gray");
    EXPECT_EQ(TextOf(dialog), check.caption);
    int children = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      ++children;
    }
    EXPECT_EQ(children, check.children);
    // The first tab stop takes the focus.
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), check.focusId);
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
