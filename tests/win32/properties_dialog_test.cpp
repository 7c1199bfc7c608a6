// Grid Properties through its real procedure in its own modal loop; the
// modal answerer plays the user, the registry is the test prefix's own.
#include "dialogs/properties_dialog_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "dialogs/control_ids.h"
#include "dib_canvas_win.h"
#include "modal_answerer_win.h"
#include "model/stored_values.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "state/app_state_win.h"

// The dialog allocates its state record with nothrow new; the blocks still
// alive show whether it was freed.
namespace {
void* liveRecords[8];
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  void* block = std::malloc(size != 0 ? size : 1);
  void** slot = std::find(std::begin(liveRecords), std::end(liveRecords), nullptr);
  if (slot != std::end(liveRecords)) {
    *slot = block;
  }
  return block;
}
void operator delete(void* block) noexcept {
  std::replace(std::begin(liveRecords), std::end(liveRecords), block, static_cast<void*>(nullptr));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

namespace ondrix::test {
namespace {

constexpr char kCaption[] = "Grid Properties - Ondrix";
constexpr COLORREF kChosen = RGB(12, 200, 34);
using Step = ModalAnswerer::Step;

std::string FieldText(HWND dialog, int value) {
  char text[64] = {};
  GetDlgItemTextA(dialog, IDC_VALUE_FIRST + value, text, sizeof text);
  return text;
}

Step Box(int button) {
  return {"Range Error", [button](HWND box) { ModalAnswerer::Press(box, button); }};
}

class PropertiesDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix");
    currentSettings = DefaultGraphSettings();
    redrawGraph = 0;
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                             nullptr, nullptr, appInstance, nullptr);
  }
  void TearDown() override {
    DestroyWindow(owner_);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix");
    EXPECT_EQ(std::count(std::begin(liveRecords), std::end(liveRecords), nullptr), 8)
        << "the dialog's state record outlived it";
  }
  std::vector<std::vector<std::string>> Run(std::vector<Step> steps) {
    ModalAnswerer answerer(std::move(steps));
    EXPECT_EQ(DialogBoxParamA(appInstance, "PROPERTIES", owner_, PropertiesDialogProc, 0), 0);
    EXPECT_TRUE(answerer.answered());
    return answerer.texts();
  }
  HWND owner_ = nullptr;
};

// Apply with the fields typed: the boxes shown and answered, the field that
// gets focus with its text selected, what went live and what the fields show.
TEST_F(PropertiesDialogTest, ApplyChecksTheFieldsInOrder) {
  const struct {
    std::vector<std::pair<int, const char*>> typed;
    std::vector<int> answers;
    std::vector<const char*> boxes;  // the start of each box's text
    int focus;
    bool applied;
    std::vector<std::pair<int, const char*>> shown;
  } cases[] = {
      {{{MinimumX, "10"}}, {IDNO}, {"Your X Minimum is more"}, -1, false, {{MinimumX, "10"}}},
      {{{MinimumX, "10"}, {MinimumY, "5"}},
       {IDYES, IDYES},
       {"Your X Minimum", "Your Y Minimum"},
       -1,
       true,
       {{MinimumX, "3p"}, {MaximumX, "10"}, {MinimumY, "4"}, {MaximumY, "5"}}},
      {{{MaximumX, "-2p"}}, {IDOK}, {"Your Minimum and Maximums CANNOT"}, MinimumX, false, {}},
      {{{MaximumY, "-4"}}, {IDOK}, {"Your Minimum and Maximums"}, MinimumY, false, {}},
      {{{XTickFrequency, "-1e-3"}, {YTickFrequency, "-2-"}},
       {IDOK},
       {"Your Tick Ranges must be greater"},
       -1,
       true,
       {{XTickFrequency, "1e-3"}, {YTickFrequency, "2"}}},
      {{{YTickFrequency, "0"}}, {IDOK}, {"Your Tick Ranges"}, YTickFrequency, false, {}},
      {{{XTickFrequency, "-0"}}, {IDOK}, {"Your Tick Ranges"}, XTickFrequency, false, {}},
      {{{AModifier, "-p"}, {SonarWidth, "7"}}, {}, {}, -1, true, {{AModifier, "-p"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.boxes.empty() ? "no box" : c.boxes.front());
    GraphSettings expected = DefaultGraphSettings();
    for (const auto& [value, text] : c.typed) {
      SetValueText(expected.valueTexts[value], text);
    }
    ParseValueTexts(expected);
    std::vector<Step> steps = {{kCaption, [&c](HWND dialog) {
                                  for (const auto& [value, text] : c.typed) {
                                    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + value, text);
                                  }
                                  ModalAnswerer::Press(dialog, IDC_APPLY);
                                }}};
    for (int answer : c.answers) {
      steps.push_back(Box(answer));
    }
    GraphSettings live = {};
    steps.push_back({kCaption, [&](HWND dialog) {
                       live = currentSettings;
                       const HWND focus = GetFocus();
                       DWORD start = 1, end = 0;
                       SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                    reinterpret_cast<LPARAM>(&end));
                       if (c.focus >= 0) {
                         EXPECT_EQ(focus, GetDlgItem(dialog, IDC_VALUE_FIRST + c.focus));
                         EXPECT_EQ(start, 0u);
                         EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(focus)));
                       }
                       for (const auto& [value, text] : c.shown) {
                         EXPECT_EQ(FieldText(dialog, value), text) << value;
                       }
                       ModalAnswerer::Press(dialog, IDCANCEL);
                     }});
    const auto texts = Run(steps);
    ASSERT_EQ(texts.size(), c.boxes.size() + 2);
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      const auto& box = texts[i + 1];
      EXPECT_TRUE(std::any_of(box.begin(), box.end(), [&](const std::string& text) {
        return text.rfind(c.boxes[i], 0) == 0;
      })) << c.boxes[i];
    }
    if (c.applied) {
      EXPECT_EQ(live.values[MinimumX],
                std::min(expected.values[MinimumX], expected.values[MaximumX]));
      EXPECT_EQ(live.values[MaximumY],
                std::max(expected.values[MinimumY], expected.values[MaximumY]));
      EXPECT_EQ(live.values[AModifier], expected.values[AModifier]);
      EXPECT_EQ(live.values[SonarWidth], expected.values[SonarWidth]);
      EXPECT_EQ(live.values[XTickFrequency], std::abs(expected.values[XTickFrequency]));
    } else {
      EXPECT_EQ(live.values[MinimumX], -2 * kPi);
      EXPECT_EQ(live.values[MaximumY], 4);
    }
    // Cancel undoes every Apply.
    EXPECT_STREQ(currentSettings.valueTexts[MinimumX], "-2p");
    EXPECT_STREQ(currentSettings.valueTexts[AModifier], "1");
    EXPECT_EQ(redrawGraph, 1);
    redrawGraph = 0;
  }
}

TEST_F(PropertiesDialogTest, OkAppliesAndCloses) {
  Run({{kCaption, [](HWND dialog) {
          EXPECT_EQ(FieldText(dialog, XTickFrequency), ".0833333333333333p");
          SetDlgItemTextA(dialog, IDC_B_MODIFIER, "2");
          ModalAnswerer::PressOk(dialog);
        }}});
  EXPECT_EQ(currentSettings.values[BModifier], 2);
  EXPECT_EQ(redrawGraph, 1);
}

// Pi mode: the next click on a field appends "p" to it; a full field loses
// its last character for it.
TEST_F(PropertiesDialogTest, PiAppendsToTheClickedField) {
  Run({{kCaption, [](HWND dialog) {
          SetDlgItemTextA(dialog, IDC_C_MODIFIER, std::string(49, '3').c_str());
          for (int id : {IDC_MINIMUM_Y, IDC_C_MODIFIER}) {
            SendMessageA(dialog, WM_COMMAND, IDC_PI, 0);
            RECT area = {};
            GetWindowRect(GetDlgItem(dialog, id), &area);
            POINT centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
            ScreenToClient(dialog, &centre);
            SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, id));
          }
          EXPECT_EQ(FieldText(dialog, MinimumY), "-4p");
          EXPECT_EQ(FieldText(dialog, CModifier), std::string(48, '3') + "p");
          ModalAnswerer::PressOk(dialog);
        }}});
  EXPECT_EQ(currentSettings.values[MinimumY], -4 * kPi);
}

// A colour chosen for the selected element shows in the swatch, goes live
// with Apply and is undone by Cancel; the chooser's custom colours are kept.
TEST_F(PropertiesDialogTest, ChosenColourShowsAndAppliesButCancelUndoesIt) {
  Run({{kCaption,
        [](HWND dialog) {
          SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_SETCURSEL, Axis, 0);
          ModalAnswerer::Press(dialog, IDC_CHANGE_COLOR);
        }},
       {"Color",
        [](HWND chooser) {
          SetDlgItemInt(chooser, 706, GetRValue(kChosen), FALSE);
          SetDlgItemInt(chooser, 707, GetGValue(kChosen), FALSE);
          SetDlgItemInt(chooser, 708, GetBValue(kChosen), FALSE);
          SendMessageA(chooser, WM_COMMAND, 712, 0);  // Add to Custom Colors
          ModalAnswerer::PressOk(chooser);
        }},
       {kCaption, [](HWND dialog) {
          RECT area = {};
          GetClientRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), &area);
          DibCanvas canvas(area.right + 2, area.bottom + 2);
          DRAWITEMSTRUCT item = {ODT_BUTTON,
                                 IDC_COLOR_SWATCH,
                                 0,
                                 ODA_DRAWENTIRE,
                                 0,
                                 GetDlgItem(dialog, IDC_COLOR_SWATCH),
                                 canvas.Dc(),
                                 area,
                                 0};
          SendMessageA(dialog, WM_DRAWITEM, IDC_COLOR_SWATCH, reinterpret_cast<LPARAM>(&item));
          GdiFlush();
          EXPECT_EQ(canvas.PixelAt(0, 0), kChosen);
          EXPECT_EQ(canvas.PixelAt(area.right - 1, area.bottom - 1), kChosen);
          EXPECT_EQ(canvas.PixelAt(area.right, area.bottom), 0u);
          EXPECT_EQ(currentSettings.colors[Axis], 0u);
          SendMessageA(dialog, WM_COMMAND, IDC_APPLY, 0);
          EXPECT_EQ(currentSettings.colors[Axis], kChosen);
          ModalAnswerer::Press(dialog, IDCANCEL);
        }}});
  EXPECT_EQ(currentSettings.colors[Axis], kDefaultColors[Axis]);
  COLORREF custom[kCustomColorCount];
  LoadCustomColors(custom);
  EXPECT_NE(std::find(std::begin(custom), std::end(custom), kChosen), std::end(custom));
}

}  // namespace
}  // namespace ondrix::test
