// Grid Properties through its real procedure in its own modal loop.
#include "dialogs/properties_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/control_ids.h"
#include "model/stored_values.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "state/app_state_win.h"
#include "window_test_win.h"

namespace ondrix::test {
namespace {

constexpr char kCaption[] = "Grid Properties - Ondrix";
std::string Field(HWND dialog, int value) {
  char text[64] = {};
  GetDlgItemTextA(dialog, IDC_VALUE_FIRST + value, text, sizeof text);
  return text;
}

void TypeAndApply(HWND dialog, std::initializer_list<std::pair<int, const char*>> fields) {
  for (const auto& [value, text] : fields)
    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + value, text);
  ModalAnswerer::Press(dialog, IDC_APPLY);
}

void PickPi(HWND dialog, int value) {
  POINT point = {2, 2};
  MapWindowPoints(GetDlgItem(dialog, IDC_VALUE_FIRST + value), dialog, &point, 1);
  SendMessageA(dialog, WM_COMMAND, IDC_PI, 0);
  SendMessageA(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(point.x, point.y));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_VALUE_FIRST + value));
}

// Applies, then Cancel restores what the dialog opened with, but not the custom colours.
TEST(PropertiesDialogTest, ApplyWiresTheVerdictsAndCancelRestores) {
  constexpr COLORREF kChosen = RGB(12, 200, 34);
  std::vector<ModalAnswerer::Step> steps;
  const auto then = [&](ModalAnswerer::Action action) { steps.push_back({kCaption, action}); };
  const auto answer = [&](std::initializer_list<int> buttons) {
    for (int button : buttons)
      steps.push_back({"Range Error", [button](HWND box) { ModalAnswerer::Press(box, button); }});
  };
  then([](HWND dialog) {
    TypeAndApply(dialog, {{MinimumX, "10"}, {MinimumY, "5"}, {YTickFrequency, "-2-"}});
  });
  answer({IDNO});  // nothing swapped, nothing applied
  then([](HWND dialog) {
    EXPECT_TRUE(Field(dialog, MinimumX) == "10" && currentSettings.values[MinimumX] != 10);
    ModalAnswerer::Press(dialog, IDC_APPLY);
  });
  answer({IDYES, IDYES, IDOK});  // swap X, swap Y, mend the tick field
  then([](HWND dialog) {
    for (const auto& [value, text] :
         {std::pair<int, std::string>{MinimumX, "3p"}, {MaximumY, "5"}, {YTickFrequency, "2"}})
      EXPECT_TRUE(Field(dialog, value) == text && currentSettings.valueTexts[value] == text)
          << text;
    TypeAndApply(dialog, {{MaximumX, "3p"}});
  });
  answer({IDOK});  // equal X range
  then([](HWND dialog) {
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_VALUE_FIRST + MinimumX));
    EXPECT_EQ(SendMessageA(GetFocus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 2)) << "all of \"3p\"";
    TypeAndApply(dialog, {{MaximumX, "10"}, {YTickFrequency, "0"}});
  });
  answer({IDOK});  // a zero tick: the field the verdict names
  then([](HWND dialog) {
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_VALUE_FIRST + YTickFrequency));
    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + YTickFrequency, "1");
    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + CModifier, std::string(49, '3').c_str());
    PickPi(dialog, BModifier);
    PickPi(dialog, CModifier);  // a full field loses its last character
    EXPECT_EQ(Field(dialog, CModifier), std::string(48, '3') + "p");
    SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_SETCURSEL, Axis, 0);
    ModalAnswerer::Press(dialog, IDC_CHANGE_COLOR);
  });
  steps.push_back({"Color", [kChosen](HWND chooser) {
                     for (int i = 0; i < 3; ++i)  // the red, green and blue fields
                       SetDlgItemInt(chooser, 706 + i, (kChosen >> 8 * i) & 0xFF, FALSE);
                     SendMessageA(chooser, WM_COMMAND, 712, 0);  // Add to Custom Colors
                     ModalAnswerer::PressOk(chooser);
                   }});
  then([kChosen](HWND dialog) {
    redrawGraph = false;
    SendMessageA(dialog, WM_COMMAND, IDC_APPLY, 0);
    EXPECT_TRUE(currentSettings.values[BModifier] == kPi && redrawGraph &&
                currentSettings.colors[Axis] == kChosen);
    redrawGraph = false;
    ModalAnswerer::Press(dialog, IDCANCEL);
  });
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix");
  currentSettings = DefaultGraphSettings();
  ModalAnswerer answerer(steps);
  RunPropertiesDialog(nullptr);
  ASSERT_TRUE(answerer.answered() && redrawGraph) << "Cancel shows the settings it restores";
  const GraphSettings opened = DefaultGraphSettings();
  EXPECT_EQ(std::memcmp(&currentSettings, &opened, sizeof opened), 0);
  COLORREF custom[kCustomColorCount];
  LoadCustomColors(custom);
  EXPECT_TRUE(custom[0] == kChosen && custom[1] == 0x808000);  // the second as it was
  EXPECT_FALSE(RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix\\Custom Colors",
                                  "Color Value 0"));
}

}  // namespace
}  // namespace ondrix::test
