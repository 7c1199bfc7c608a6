// The Grid Properties dialog driven through its real procedure inside its
// modal loop. A CBT hook reads and answers the message boxes and the colour
// chooser; the registry is the test prefix's own.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "bwcc/bwcc_win.h"
#include "dialogs/control_ids.h"
#include "dialogs/properties_dialog_win.h"
#include "dib_canvas_win.h"
#include "model/command_ids.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

constexpr char kDialogCaption[] = "Grid Properties - Ondrix";
constexpr char kSettingsKey[] = "Software\\Velmora\\Ondrix";
constexpr char kCustomColorsKey[] = "Software\\Velmora\\Ondrix\\Custom Colors";

constexpr char kXSwapQuestion[] =
    "Your X Minimum is more than your X Maximum!  Do you want to swap the values.";
constexpr char kYSwapQuestion[] =
    "Your Y Minimum is more than your Y Maximum!  Do you want to swap the values.";
constexpr char kEqualRefusal[] = "Your Minimum and Maximums CANNOT equal!";
constexpr char kTickMessage[] =
    "Your Tick Ranges must be greater than zero.  Press [Ok] to correct this.";

// Controls of the system's message box and colour chooser.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 0x0440;
constexpr int kChooserRedId = 706;
constexpr int kChooserGreenId = 707;
constexpr int kChooserBlueId = 708;
constexpr int kChooserAddCustomId = 712;

constexpr char kAnsweredProperty[] = "OndrixTestAnswered";

struct SeenBox {
  std::string caption;
  std::string text;
  bool yesButton;
  bool noButton;
  bool okButton;
  bool warningIcon;
};

// What the dialog handed the chooser, and what the chooser showed.
struct SeenChooser {
  HWND owner;
  DWORD flags;
  COLORREF requestedColor;
  COLORREF customColors[16];
  COLORREF shownColor;
  bool fullyOpen;
};

struct ChooserAnswer {
  bool confirm = false;
  COLORREF color = 0;
  bool addToCustomColors = false;
};

// What the hook saw and how it answers; boxes beyond `boxButtons` get No or OK.
struct ModalAnswers {
  std::deque<int> boxButtons;
  std::vector<SeenBox> boxes;
  ChooserAnswer chooser;
  std::vector<SeenChooser> choosers;
};
ModalAnswers answers;

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

void Click(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void AnswerMessageBox(HWND box) {
  SeenBox seen;
  seen.caption = TextOf(box);
  seen.text = TextOf(GetDlgItem(box, kBoxTextId));
  seen.yesButton = GetDlgItem(box, IDYES) != nullptr;
  seen.noButton = GetDlgItem(box, IDNO) != nullptr;
  seen.okButton = GetDlgItem(box, IDOK) != nullptr;
  const HICON icon =
      reinterpret_cast<HICON>(SendDlgItemMessageA(box, kBoxIconId, STM_GETICON, 0, 0));
  seen.warningIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_EXCLAMATION);
  answers.boxes.push_back(seen);

  int button = seen.noButton ? IDNO : IDOK;
  if (!answers.boxButtons.empty()) {
    button = answers.boxButtons.front();
    answers.boxButtons.pop_front();
  }
  Click(box, button);
}

bool IsChooser(HWND window) {
  return ClassOf(window) == "#32770" && GetDlgItem(window, kChooserRedId) != nullptr;
}

// The chooser gets its request with WM_INITDIALOG, before it is activated.
LRESULT CALLBACK RecordChooserRequests(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && IsChooser(call->hwnd)) {
    const auto* request = reinterpret_cast<const CHOOSECOLORA*>(call->lParam);
    SeenChooser seen = {};
    seen.owner = request->hwndOwner;
    seen.flags = request->Flags;
    seen.requestedColor = request->rgbResult;
    std::memcpy(seen.customColors, request->lpCustColors, sizeof seen.customColors);
    answers.choosers.push_back(seen);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void AnswerChooser(HWND chooser) {
  if (answers.choosers.empty()) {
    answers.choosers.push_back(SeenChooser{});
  }
  SeenChooser& seen = answers.choosers.back();
  seen.shownColor = RGB(GetDlgItemInt(chooser, kChooserRedId, nullptr, FALSE),
                        GetDlgItemInt(chooser, kChooserGreenId, nullptr, FALSE),
                        GetDlgItemInt(chooser, kChooserBlueId, nullptr, FALSE));
  RECT frame = {};
  RECT blue = {};
  GetWindowRect(chooser, &frame);
  GetWindowRect(GetDlgItem(chooser, kChooserBlueId), &blue);
  seen.fullyOpen = blue.right <= frame.right;

  const ChooserAnswer& answer = answers.chooser;
  SetDlgItemInt(chooser, kChooserRedId, GetRValue(answer.color), FALSE);
  SetDlgItemInt(chooser, kChooserGreenId, GetGValue(answer.color), FALSE);
  SetDlgItemInt(chooser, kChooserBlueId, GetBValue(answer.color), FALSE);
  if (answer.addToCustomColors) {
    Click(chooser, kChooserAddCustomId);
  }
  Click(chooser, answer.confirm ? IDOK : IDCANCEL);
}

LRESULT CALLBACK AnswerModalWindows(int code, WPARAM wParam, LPARAM lParam) {
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && ClassOf(window) == "#32770" &&
      GetPropA(window, kAnsweredProperty) == nullptr) {
    if (IsChooser(window)) {
      SetPropA(window, kAnsweredProperty, window);
      AnswerChooser(window);
    } else if (GetDlgItem(window, kBoxTextId) != nullptr) {
      SetPropA(window, kAnsweredProperty, window);
      AnswerMessageBox(window);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One modal run: the script runs once inside the dialog's message loop; a
// dialog still open once the script and what it posted are done is ended
// without touching the settings.
struct DialogRun {
  std::function<void(HWND)> script;
  HWND dialog = nullptr;
  bool leftOpen = false;
  UINT_PTR closeTimer = 0;
};
DialogRun* activeRun = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
  if (TextOf(window) == kDialogCaption) {
    activeRun->dialog = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK EndLeftOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (IsWindowVisible(activeRun->dialog)) {
    activeRun->leftOpen = true;
    EndDialog(activeRun->dialog, 0);
  }
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
  if (activeRun->dialog == nullptr) {
    ADD_FAILURE() << "the dialog did not open";
    return;
  }
  activeRun->script(activeRun->dialog);
  activeRun->closeTimer = SetTimer(nullptr, 0, 10, EndLeftOpenDialog);
}

std::string FieldText(HWND dialog, int id) {
  char text[kValueTextSize + 8] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

int ValueField(GraphValue value) {
  return IDC_VALUE_FIRST + value;
}

void SetField(HWND dialog, GraphValue value, const char* text) {
  SetDlgItemTextA(dialog, ValueField(value), text);
}

void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SelectElement(HWND dialog, GraphColor element) {
  const HWND list = GetDlgItem(dialog, IDC_GRID_ELEMENT);
  SendMessageA(list, CB_SETCURSEL, element, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GRID_ELEMENT, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// A control's centre in the dialog's client coordinates.
POINT CentreOf(HWND dialog, int id) {
  RECT area = {};
  const HWND control = GetDlgItem(dialog, id);
  GetClientRect(control, &area);
  POINT centre = {area.right / 2, area.bottom / 2};
  MapWindowPoints(control, dialog, &centre, 1);
  return centre;
}

LPARAM PointParam(POINT point) {
  return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

void MoveMouse(HWND dialog, POINT point) {
  SendMessageA(dialog, WM_MOUSEMOVE, 0, PointParam(point));
}

void ClickAt(HWND dialog, POINT point) {
  SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(point));
}

bool DialogOpen(HWND dialog) {
  return IsWindowVisible(dialog) != FALSE;
}

bool SameSettings(const GraphSettings& a, const GraphSettings& b) {
  return std::memcmp(a.functionName, b.functionName, sizeof a.functionName) == 0 &&
         a.grid == b.grid && a.connectMethod == b.connectMethod && a.graphMethod == b.graphMethod &&
         a.sonar == b.sonar && std::memcmp(a.colors, b.colors, sizeof a.colors) == 0 &&
         std::memcmp(a.values, b.values, sizeof a.values) == 0 &&
         std::memcmp(a.valueTexts, b.valueTexts, sizeof a.valueTexts) == 0;
}

bool KeyExists(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void ExpectBox(const SeenBox& box, const char* text, bool yesNo) {
  EXPECT_EQ(box.caption, "Range Error");
  EXPECT_EQ(box.text, text);
  EXPECT_TRUE(box.warningIcon);
  EXPECT_EQ(box.yesButton, yesNo);
  EXPECT_EQ(box.noButton, yesNo);
  EXPECT_EQ(box.okButton, !yesNo);
}

void ExpectFocusedAndSelected(HWND dialog, int id) {
  const HWND field = GetDlgItem(dialog, id);
  EXPECT_EQ(GetFocus(), field);
  DWORD start = 1;
  DWORD end = 0;
  SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(field)));
}

// Draws the swatch through the dialog procedure into a 32-bit DIB filled
// with a sentinel colour; returns the pixels as COLORREF values.
constexpr int kCanvasSize = 80;
constexpr COLORREF kSentinel = RGB(1, 2, 3);

struct SwatchDrawing {
  BOOL result;
  RECT area;
  std::vector<COLORREF> pixels;
  bool objectsRestored;
};

SwatchDrawing DrawSwatch(HWND dialog, UINT action) {
  test::DibCanvas canvas(kCanvasSize, kCanvasSize);
  canvas.Fill(kSentinel);
  const HDC dc = canvas.Dc();
  const HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);
  const HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);

  SwatchDrawing drawing = {};
  const HWND swatch = GetDlgItem(dialog, IDC_COLOR_SWATCH);
  GetClientRect(swatch, &drawing.area);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = IDC_COLOR_SWATCH;
  item.itemAction = action;
  item.hwndItem = swatch;
  item.hDC = dc;
  item.rcItem = drawing.area;
  drawing.result = static_cast<BOOL>(
      PropertiesDialogProc(dialog, WM_DRAWITEM, IDC_COLOR_SWATCH, reinterpret_cast<LPARAM>(&item)));
  GdiFlush();
  drawing.objectsRestored =
      GetCurrentObject(dc, OBJ_PEN) == penBefore && GetCurrentObject(dc, OBJ_BRUSH) == brushBefore;
  for (int y = 0; y < kCanvasSize; ++y) {
    for (int x = 0; x < kCanvasSize; ++x) {
      drawing.pixels.push_back(canvas.PixelAt(x, y));
    }
  }
  return drawing;
}

// Counts the canvas pixels inside and outside the swatch area that are not
// the expected colours.
void ExpectSwatchColor(const SwatchDrawing& drawing, COLORREF inside) {
  ASSERT_LE(drawing.area.right, kCanvasSize);
  ASSERT_LE(drawing.area.bottom, kCanvasSize);
  ASSERT_GT(drawing.area.right, 0);
  int wrongInside = 0;
  int wrongOutside = 0;
  for (int y = 0; y < kCanvasSize; ++y) {
    for (int x = 0; x < kCanvasSize; ++x) {
      const bool within = x < drawing.area.right && y < drawing.area.bottom;
      const COLORREF pixel = drawing.pixels[y * kCanvasSize + x];
      if (within && pixel != inside) {
        ++wrongInside;
      }
      if (!within && pixel != kSentinel) {
        ++wrongOutside;
      }
    }
  }
  EXPECT_EQ(wrongInside, 0);
  EXPECT_EQ(wrongOutside, 0);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class PropertiesDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    appInstance = GetModuleHandleA(nullptr);
    BWCCRegister(appInstance);
    currentSettings = DefaultGraphSettings();
    redrawGraph = 0;
    answers = ModalAnswers{};

    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = OwnerProc;
    ownerClass.hInstance = appInstance;
    ownerClass.lpszClassName = "OndrixTestOwner";
    RegisterClassA(&ownerClass);
    owner_ = CreateWindowExA(0, "OndrixTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             400, 300, nullptr, nullptr, appInstance, nullptr);
    ASSERT_NE(owner_, nullptr);
    hook_ = SetWindowsHookExA(WH_CBT, AnswerModalWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    requestHook_ =
        SetWindowsHookExA(WH_CALLWNDPROC, RecordChooserRequests, nullptr, GetCurrentThreadId());
    ASSERT_NE(requestHook_, nullptr);
  }

  void TearDown() override {
    UnhookWindowsHookEx(hook_);
    UnhookWindowsHookEx(requestHook_);
    DestroyWindow(owner_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  }

  // Runs the dialog modally with the script inside its loop; true when the
  // dialog had ended by itself once the script was done.
  bool Run(std::function<void(HWND)> script) {
    INT_PTR result = -1;
    const bool ended = RunWhile(
        [&] {
          result = DialogBoxParamA(appInstance, "PROPERTIES", owner_, PropertiesDialogProc, 0);
        },
        std::move(script));
    EXPECT_EQ(result, 0);
    return ended;
  }

  // The same, with the dialog opened by `open`, which returns once it is closed.
  bool RunWhile(const std::function<void()>& open, std::function<void(HWND)> script) {
    DialogRun run;
    run.script = std::move(script);
    activeRun = &run;
    const UINT_PTR scriptTimer = SetTimer(nullptr, 0, 10, RunScript);
    open();
    KillTimer(nullptr, scriptTimer);
    KillTimer(nullptr, run.closeTimer);
    activeRun = nullptr;
    EXPECT_NE(run.dialog, nullptr);
    return !run.leftOpen;
  }

  HWND owner_ = nullptr;
  HHOOK hook_ = nullptr;
  HHOOK requestHook_ = nullptr;
};

TEST_F(PropertiesDialogTest, OpensWithTheLiveTextsAndTheElementList) {
  SetValueText(currentSettings.valueTexts[SonarWidth], std::string(49, '7'));
  ParseValueTexts(currentSettings);
  const GraphSettings before = currentSettings;
  EXPECT_FALSE(Run([&](HWND dialog) {
    for (int i = 0; i < kValueCount; ++i) {
      EXPECT_EQ(FieldText(dialog, IDC_VALUE_FIRST + i), before.valueTexts[i]) << i;
      EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_VALUE_FIRST + i, EM_GETLIMITTEXT, 0, 0), 49) << i;
    }
    const HWND list = GetDlgItem(dialog, IDC_GRID_ELEMENT);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), kColorCount);
    for (int i = 0; i < kColorCount; ++i) {
      char name[64] = {};
      SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
      EXPECT_STREQ(name, kColorNames[i]);
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TICK_MARK_SIZE));
  }));
  EXPECT_TRUE(answers.boxes.empty());
  EXPECT_TRUE(SameSettings(currentSettings, before));
}

TEST_F(PropertiesDialogTest, GridPropertiesCommandRunsTheDialogAndRepaintsTheGraph) {
  ASSERT_NE(RegisterMainWindowClass(appInstance), 0);
  const HWND window = CreateMainWindow(appInstance);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);
  redrawGraph = 0;
  EXPECT_TRUE(
      RunWhile([&] { SendMessageA(window, WM_COMMAND, MAKEWPARAM(CM_GRID_PROPERTIES, 0), 0); },
               [&](HWND dialog) {
                 EXPECT_EQ(GetParent(dialog), window);
                 SetField(dialog, DModifier, "2");
                 Press(dialog, IDOK);
               }));
  EXPECT_EQ(currentSettings.values[DModifier], 2.0);
  EXPECT_EQ(redrawGraph, 1);
  EXPECT_NE(GetUpdateRect(window, nullptr, FALSE), FALSE);
  const std::uint32_t rendersBefore = GraphRenderCount();
  UpdateWindow(window);
  EXPECT_EQ(GraphRenderCount(), rendersBefore + 1);
  DestroyWindow(window);
  ReleaseMainWindowResources(appInstance);
}

TEST_F(PropertiesDialogTest, ApplyGoesLiveAndCancelUndoesEveryApply) {
  const GraphSettings before = currentSettings;
  EXPECT_TRUE(Run([&](HWND dialog) {
    SetField(dialog, AModifier, "5");
    ValidateRect(GetParent(dialog), nullptr);
    Press(dialog, IDC_APPLY);
    EXPECT_TRUE(DialogOpen(dialog));
    EXPECT_STREQ(currentSettings.valueTexts[AModifier], "5");
    EXPECT_EQ(currentSettings.values[AModifier], 5.0);
    EXPECT_EQ(redrawGraph, 1);
    EXPECT_NE(GetUpdateRect(GetParent(dialog), nullptr, FALSE), FALSE);

    SetField(dialog, MaximumY, "8");
    Press(dialog, IDC_APPLY);
    EXPECT_EQ(currentSettings.values[MaximumY], 8.0);
    EXPECT_EQ(currentSettings.values[AModifier], 5.0);

    redrawGraph = 0;
    Press(dialog, IDCANCEL);
  }));
  EXPECT_TRUE(answers.boxes.empty());
  EXPECT_TRUE(SameSettings(currentSettings, before));
  EXPECT_EQ(redrawGraph, 1);
}

TEST_F(PropertiesDialogTest, MinusPStaysInTheFieldButIsStoredAsMinusOneP) {
  EXPECT_FALSE(Run([&](HWND dialog) {
    SetField(dialog, AModifier, "-p");
    Press(dialog, IDC_APPLY);
    EXPECT_EQ(FieldText(dialog, ValueField(AModifier)), "-p");
  }));
  EXPECT_STREQ(currentSettings.valueTexts[AModifier], "-1p");
  EXPECT_EQ(currentSettings.values[AModifier], -kPi);
}

TEST_F(PropertiesDialogTest, EnterInAFieldAppliesEveryFieldAndCloses) {
  EXPECT_TRUE(Run([&](HWND dialog) {
    SetField(dialog, BModifier, "2p");
    SetField(dialog, TickMarkSize, ".05");
    const HWND field = GetDlgItem(dialog, ValueField(CModifier));
    SetWindowTextA(field, "7");
    SetFocus(field);
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  }));
  EXPECT_STREQ(currentSettings.valueTexts[CModifier], "7");
  EXPECT_EQ(currentSettings.values[CModifier], 7.0);
  EXPECT_STREQ(currentSettings.valueTexts[BModifier], "2p");
  EXPECT_EQ(currentSettings.values[BModifier], 2 * kPi);
  EXPECT_EQ(currentSettings.values[TickMarkSize], 0.05);
  EXPECT_EQ(redrawGraph, 1);
}

TEST_F(PropertiesDialogTest, ReversedRangeSwappedOnYes) {
  struct Case {
    GraphValue minimum;
    const char* minimumText;
    const char* maximumText;
    const char* question;
    double minimumValue;
    double maximumValue;
  };
  const Case cases[] = {{MinimumX, "3", "1", kXSwapQuestion, 1.0, 3.0},
                        {MinimumY, "10", "-2e1", kYSwapQuestion, -20.0, 10.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    answers = ModalAnswers{};
    currentSettings = DefaultGraphSettings();
    const GraphValue maximum = static_cast<GraphValue>(c.minimum + 1);
    EXPECT_TRUE(Run([&](HWND dialog) {
      SetField(dialog, c.minimum, c.minimumText);
      SetField(dialog, maximum, c.maximumText);
      answers.boxButtons = {IDYES};
      Press(dialog, IDOK);
      EXPECT_EQ(FieldText(dialog, ValueField(c.minimum)), c.maximumText);
      EXPECT_EQ(FieldText(dialog, ValueField(maximum)), c.minimumText);
    }));
    ASSERT_EQ(answers.boxes.size(), 1u);
    ExpectBox(answers.boxes[0], c.question, true);
    EXPECT_STREQ(currentSettings.valueTexts[c.minimum], c.maximumText);
    EXPECT_STREQ(currentSettings.valueTexts[maximum], c.minimumText);
    EXPECT_EQ(currentSettings.values[c.minimum], c.minimumValue);
    EXPECT_EQ(currentSettings.values[maximum], c.maximumValue);
  }
}

// Each refusal leaves the dialog open and applies nothing, not even the
// fields that passed.
TEST_F(PropertiesDialogTest, RefusedChecksApplyNothingAndKeepTheDialogOpen) {
  using Fields = std::vector<std::pair<GraphValue, const char*>>;
  struct Case {
    Fields fields;
    std::deque<int> buttons;
    int press;
    Fields shown;
    std::vector<const char*> boxes;
    int focusedField;  // 0: not checked
  };
  const Case cases[] = {
      {{{MinimumX, "3"}, {MaximumX, "1"}, {AModifier, "9"}},
       {IDNO},
       IDOK,
       {{MinimumX, "3"}, {MaximumX, "1"}},
       {kXSwapQuestion},
       0},
      {{{MinimumX, "2p"}, {MaximumX, "-1"}, {MinimumY, "5"}, {MaximumY, "-5"}},
       {IDYES, IDNO},
       IDC_APPLY,
       {{MinimumX, "-1"}, {MaximumX, "2p"}, {MinimumY, "5"}, {MaximumY, "-5"}},
       {kXSwapQuestion, kYSwapQuestion},
       0},
      // The checks run in order and stop at the first refusal: the tick
      // check never ran, so its field keeps the minus.
      {{{MinimumX, "4"}, {MaximumX, "4"}, {MinimumY, "2"}, {MaximumY, "1"}, {XTickFrequency, "-1"}},
       {IDYES, IDOK},
       IDOK,
       {{XTickFrequency, "-1"}, {MinimumY, "1"}},
       {kYSwapQuestion, kEqualRefusal},
       0},
      {{{MinimumX, "1"}, {MaximumX, "1.0"}, {MinimumY, "-4"}, {MaximumY, "4"}},
       {},
       IDOK,
       {},
       {kEqualRefusal},
       IDC_MINIMUM_X},
      {{{MinimumX, "-2p"}, {MaximumX, "3p"}, {MinimumY, "2"}, {MaximumY, "2e0"}},
       {},
       IDOK,
       {},
       {kEqualRefusal},
       IDC_MINIMUM_Y},
      {{{MinimumX, "p"}, {MaximumX, "1p"}, {MinimumY, "0"}, {MaximumY, "0"}},
       {},
       IDOK,
       {},
       {kEqualRefusal},
       IDC_MINIMUM_X},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(&c - cases));
    answers = ModalAnswers{};
    const GraphSettings before = currentSettings;
    EXPECT_FALSE(Run([&](HWND dialog) {
      for (const auto& field : c.fields) {
        SetField(dialog, field.first, field.second);
      }
      answers.boxButtons = c.buttons;
      Press(dialog, c.press);
      EXPECT_TRUE(DialogOpen(dialog));
      for (const auto& field : c.shown) {
        EXPECT_EQ(FieldText(dialog, ValueField(field.first)), field.second);
      }
      EXPECT_TRUE(SameSettings(currentSettings, before));
      EXPECT_EQ(redrawGraph, 0);
      if (c.focusedField != 0) {
        ExpectFocusedAndSelected(dialog, c.focusedField);
      }
    }));
    ASSERT_EQ(answers.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      const bool question = c.boxes[i] == kXSwapQuestion || c.boxes[i] == kYSwapQuestion;
      ExpectBox(answers.boxes[i], c.boxes[i], question);
    }
  }
}

TEST_F(PropertiesDialogTest, NegativeTicksCorrectedAfterOneMessage) {
  struct Case {
    const char* xTick;
    const char* yTick;
    const char* shownX;
    const char* shownY;
    double xValue;
    double yValue;
  };
  const Case cases[] = {
      {"-1", "-2p", "1", "2p", 1.0, 2 * kPi},  {"-2p", "1", "2p", "1", 2 * kPi, 1.0},
      {"2-", "-1", "2", "1", 2.0, 1.0},        {"1e-3", "-1", "1e-3", "1", 0.001, 1.0},
      {"-1e-3", "3", "1e-3", "3", 0.001, 3.0}, {"-p", "0.5", "1p", "0.5", kPi, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.xTick) + " " + c.yTick);
    answers = ModalAnswers{};
    EXPECT_TRUE(Run([&](HWND dialog) {
      SetField(dialog, XTickFrequency, c.xTick);
      SetField(dialog, YTickFrequency, c.yTick);
      Press(dialog, IDOK);
      EXPECT_EQ(FieldText(dialog, IDC_X_TICK_FREQUENCY), c.shownX);
      EXPECT_EQ(FieldText(dialog, IDC_Y_TICK_FREQUENCY), c.shownY);
    }));
    ASSERT_EQ(answers.boxes.size(), 1u);
    ExpectBox(answers.boxes[0], kTickMessage, false);
    EXPECT_STREQ(currentSettings.valueTexts[XTickFrequency], c.shownX);
    EXPECT_STREQ(currentSettings.valueTexts[YTickFrequency], c.shownY);
    EXPECT_EQ(currentSettings.values[XTickFrequency], c.xValue);
    EXPECT_EQ(currentSettings.values[YTickFrequency], c.yValue);
  }
}

// Regression: a zero tick spacing was applied, and the renderer steps by it.
TEST_F(PropertiesDialogTest, ZeroTickRefusedWithTheFieldSelected) {
  struct Case {
    const char* xTick;
    const char* yTick;
    const char* shownX;
    const char* shownY;
    int focusedField;
  };
  const Case cases[] = {
      {"0", "1", "0", "1", IDC_X_TICK_FREQUENCY},
      {"1", "0-", "1", "0", IDC_Y_TICK_FREQUENCY},
      {"0", "-1", "0", "1", IDC_X_TICK_FREQUENCY},
      {"--p", "2", "--p", "2", IDC_X_TICK_FREQUENCY},
      {"", "1e-400", "", "1e-400", IDC_X_TICK_FREQUENCY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.xTick) + " " + c.yTick);
    answers = ModalAnswers{};
    const GraphSettings before = currentSettings;
    EXPECT_FALSE(Run([&](HWND dialog) {
      SetField(dialog, XTickFrequency, c.xTick);
      SetField(dialog, YTickFrequency, c.yTick);
      Press(dialog, IDOK);
      EXPECT_TRUE(DialogOpen(dialog));
      EXPECT_EQ(FieldText(dialog, IDC_X_TICK_FREQUENCY), c.shownX);
      EXPECT_EQ(FieldText(dialog, IDC_Y_TICK_FREQUENCY), c.shownY);
      EXPECT_TRUE(SameSettings(currentSettings, before));
      EXPECT_EQ(redrawGraph, 0);
      ExpectFocusedAndSelected(dialog, c.focusedField);
    }));
    ASSERT_EQ(answers.boxes.size(), 1u);
    ExpectBox(answers.boxes[0], kTickMessage, false);
  }
}

TEST_F(PropertiesDialogTest, PiAppendsToTheClickedField) {
  struct Case {
    GraphValue field;
    std::string text;
    std::string expected;
  };
  const std::string full(49, '1');
  const Case cases[] = {
      {AModifier, "2", "2p"},
      {MinimumY, "", "p"},
      {XTickFrequency, full, full.substr(0, 48) + "p"},
      {SonarWidth, full.substr(0, 48), full.substr(0, 48) + "p"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_FALSE(Run([&](HWND dialog) {
      SetField(dialog, c.field, c.text.c_str());
      // The caret stands at the start; the suffix still goes to the end.
      SendDlgItemMessageA(dialog, ValueField(c.field), EM_SETSEL, 0, 0);
      Press(dialog, IDC_PI);
      EXPECT_EQ(GetCapture(), dialog);
      EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
      const POINT target = CentreOf(dialog, ValueField(c.field));
      MoveMouse(dialog, target);
      EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_UPARROW));
      ClickAt(dialog, target);
      EXPECT_EQ(FieldText(dialog, ValueField(c.field)), c.expected);
      EXPECT_EQ(GetCapture(), nullptr);
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, ValueField(c.field)));
      // Pick mode has ended: another click inserts nothing.
      ClickAt(dialog, target);
      EXPECT_EQ(FieldText(dialog, ValueField(c.field)), c.expected);
    }));
  }
}

TEST_F(PropertiesDialogTest, PiCursorFollowsThePointerAndChangesOnlyOnAChange) {
  EXPECT_FALSE(Run([&](HWND dialog) {
    const HCURSOR noEntry = LoadCursorA(nullptr, IDC_NO);
    const HCURSOR upArrow = LoadCursorA(nullptr, IDC_UPARROW);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    Press(dialog, IDC_PI);
    POINT field = CentreOf(dialog, IDC_MAXIMUM_Y);
    MoveMouse(dialog, field);
    EXPECT_EQ(GetCursor(), upArrow);
    // Still over a field: the cursor is left alone.
    SetCursor(arrow);
    field.x += 1;
    MoveMouse(dialog, field);
    EXPECT_EQ(GetCursor(), arrow);
    // Between the fields, inside the "Range Properties" group box.
    POINT gap = CentreOf(dialog, IDC_MAXIMUM_X);
    gap.x = (CentreOf(dialog, IDC_MAXIMUM_X).x + CentreOf(dialog, IDC_MAXIMUM_Y).x) / 2;
    MoveMouse(dialog, gap);
    EXPECT_EQ(GetCursor(), noEntry);
    SetCursor(arrow);
    MoveMouse(dialog, CentreOf(dialog, IDOK));
    EXPECT_EQ(GetCursor(), arrow);
    // Outside the dialog nothing changes, the flag included.
    MoveMouse(dialog, field);
    EXPECT_EQ(GetCursor(), upArrow);
    MoveMouse(dialog, POINT{-40, -40});
    EXPECT_EQ(GetCursor(), upArrow);
    EXPECT_EQ(GetCapture(), dialog);
    ClickAt(dialog, POINT{-40, -40});
    EXPECT_EQ(GetCapture(), nullptr);
  }));
}

TEST_F(PropertiesDialogTest, PiThenClickOnChangeColorDoesNothingElse) {
  EXPECT_FALSE(Run([&](HWND dialog) {
    std::vector<std::string> before;
    for (int i = 0; i < kValueCount; ++i) {
      before.push_back(FieldText(dialog, IDC_VALUE_FIRST + i));
    }
    Press(dialog, IDC_PI);
    ClickAt(dialog, CentreOf(dialog, IDC_CHANGE_COLOR));
    EXPECT_EQ(GetCapture(), nullptr);
    Press(dialog, IDC_PI);
    ClickAt(dialog, CentreOf(dialog, IDOK));
    for (int i = 0; i < kValueCount; ++i) {
      EXPECT_EQ(FieldText(dialog, IDC_VALUE_FIRST + i), before[i]) << i;
    }
    EXPECT_TRUE(DialogOpen(dialog));
  }));
  EXPECT_TRUE(answers.choosers.empty());
  EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(PropertiesDialogTest, SwatchShowsTheSelectedElementsColor) {
  EXPECT_FALSE(Run([&](HWND dialog) {
    MEASUREITEMSTRUCT measure = {};
    EXPECT_EQ(PropertiesDialogProc(dialog, WM_MEASUREITEM, IDC_COLOR_SWATCH,
                                   reinterpret_cast<LPARAM>(&measure)),
              TRUE);
    RECT area = {};
    GetClientRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), &area);
    EXPECT_EQ(measure.CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(measure.CtlID, static_cast<UINT>(IDC_COLOR_SWATCH));
    EXPECT_EQ(measure.itemWidth, static_cast<UINT>(area.right));
    EXPECT_EQ(measure.itemHeight, static_cast<UINT>(area.bottom));

    SwatchDrawing drawing = DrawSwatch(dialog, ODA_DRAWENTIRE);
    EXPECT_EQ(drawing.result, TRUE);
    EXPECT_TRUE(drawing.objectsRestored);
    ExpectSwatchColor(drawing, kDefaultColors[Asymptote]);

    const HWND swatch = GetDlgItem(dialog, IDC_COLOR_SWATCH);
    UpdateWindow(swatch);
    SelectElement(dialog, Background);
    EXPECT_NE(GetUpdateRect(swatch, nullptr, FALSE), FALSE);
    ExpectSwatchColor(DrawSwatch(dialog, ODA_DRAWENTIRE), kDefaultColors[Background]);
    SelectElement(dialog, GridLine);
    ExpectSwatchColor(DrawSwatch(dialog, ODA_DRAWENTIRE), kDefaultColors[GridLine]);

    // Focus and selection changes draw nothing.
    drawing = DrawSwatch(dialog, ODA_FOCUS);
    EXPECT_EQ(drawing.result, TRUE);
    ExpectSwatchColor(drawing, kSentinel);
  }));
}

TEST_F(PropertiesDialogTest, ConfirmedColorSavesCustomColorsAndGoesLiveWithApply) {
  COLORREF stored[16];
  for (int i = 0; i < 16; ++i) {
    stored[i] = RGB(i, 100 + i, 200);
  }
  SaveCustomColors(stored);
  const COLORREF chosen = RGB(10, 20, 30);
  HWND propertiesDialog = nullptr;
  EXPECT_FALSE(Run([&](HWND dialog) {
    propertiesDialog = dialog;
    SelectElement(dialog, Background);
    answers.chooser = ChooserAnswer{true, chosen, true};
    const HWND swatch = GetDlgItem(dialog, IDC_COLOR_SWATCH);
    UpdateWindow(swatch);
    Press(dialog, IDC_CHANGE_COLOR);
    EXPECT_NE(GetUpdateRect(swatch, nullptr, FALSE), FALSE);
    ExpectSwatchColor(DrawSwatch(dialog, ODA_DRAWENTIRE), chosen);
    EXPECT_EQ(currentSettings.colors[Background], kDefaultColors[Background]);
    Press(dialog, IDC_APPLY);
    EXPECT_EQ(currentSettings.colors[Background], chosen);
  }));
  ASSERT_EQ(answers.choosers.size(), 1u);
  const SeenChooser& seen = answers.choosers[0];
  EXPECT_EQ(seen.owner, propertiesDialog);
  EXPECT_EQ(seen.flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN));
  EXPECT_EQ(seen.requestedColor, kDefaultColors[Background]);
  EXPECT_EQ(seen.shownColor, kDefaultColors[Background]);
  EXPECT_TRUE(seen.fullyOpen);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(seen.customColors[i], stored[i]) << i;
  }
  COLORREF saved[16];
  LoadCustomColors(saved);
  EXPECT_EQ(saved[0], chosen);
  for (int i = 1; i < 16; ++i) {
    EXPECT_EQ(saved[i], stored[i]) << i;
  }
}

TEST_F(PropertiesDialogTest, ConfirmedColorThenCancelKeepsTheOldColorButTheCustomColors) {
  const COLORREF chosen = RGB(200, 0, 100);
  EXPECT_TRUE(Run([&](HWND dialog) {
    SelectElement(dialog, TickMark);
    answers.chooser = ChooserAnswer{true, chosen, true};
    Press(dialog, IDC_CHANGE_COLOR);
    Press(dialog, IDCANCEL);
  }));
  ASSERT_EQ(answers.choosers.size(), 1u);
  EXPECT_EQ(answers.choosers[0].requestedColor, kDefaultColors[TickMark]);
  EXPECT_EQ(currentSettings.colors[TickMark], kDefaultColors[TickMark]);
  ASSERT_TRUE(KeyExists(kCustomColorsKey));
  COLORREF saved[16];
  LoadCustomColors(saved);
  EXPECT_EQ(saved[0], chosen);
  EXPECT_EQ(saved[1], RGB(0, 0x80, 0x80));
}

TEST_F(PropertiesDialogTest, CancelledChooserChangesNothing) {
  EXPECT_TRUE(Run([&](HWND dialog) {
    SelectElement(dialog, Axis);
    answers.chooser = ChooserAnswer{false, RGB(1, 1, 1), true};
    Press(dialog, IDC_CHANGE_COLOR);
    ExpectSwatchColor(DrawSwatch(dialog, ODA_DRAWENTIRE), kDefaultColors[Axis]);
    Press(dialog, IDOK);
  }));
  ASSERT_EQ(answers.choosers.size(), 1u);
  EXPECT_FALSE(KeyExists(kCustomColorsKey));
  EXPECT_EQ(currentSettings.colors[Axis], kDefaultColors[Axis]);
}

}  // namespace
}  // namespace ondrix
