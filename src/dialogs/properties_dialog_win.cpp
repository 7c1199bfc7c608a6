#include "dialogs/properties_dialog_win.h"

#include <commdlg.h>
#include <windowsx.h>

#include <cstring>
#include <new>
#include <utility>

#include "dialogs/control_ids.h"
#include "model/string_table.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "render/gdi_objects_win.h"
#include "state/app_state_win.h"

namespace ondrix {

namespace {

static_assert(sizeof(void*) != 4 || sizeof(CHOOSECOLORA) == 36, "the 32-bit chooser record");

constexpr int kCustomColorCount = 16;
constexpr char kPiSuffix[] = "p";
constexpr char kRangeErrorCaption[] = "Range Error";

// Lives from WM_INITDIALOG to WM_DESTROY, reached through DWLP_USER.
struct PropertiesState {
  GraphSettings working;
  GraphSettings backup;
  bool pickMode;
  bool pointerOverField;
};

PropertiesState* GetState(HWND dialog) {
  return reinterpret_cast<PropertiesState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

double ParseOneText(const char (&text)[kValueTextSize]) {
  GraphSettings scratch = {};
  std::memcpy(scratch.valueTexts[0], text, kValueTextSize);
  ParseValueTexts(scratch);
  return scratch.values[0];
}

// Copies the text leaving out the minus signs that `drop` selects, given the
// index of each minus sign among all of them.
template <typename Drop>
void CopyWithoutMinus(const char (&from)[kValueTextSize], char (&to)[kValueTextSize], Drop drop) {
  std::memset(to, 0, kValueTextSize);
  const int length = ValueTextLength(from);
  int written = 0;
  int minusIndex = 0;
  for (int i = 0; i < length; ++i) {
    if (from[i] == '-' && drop(minusIndex++)) {
      continue;
    }
    to[written++] = from[i];
  }
}

void CorrectTickSpacing(GraphSettings& settings, int index) {
  char(&text)[kValueTextSize] = settings.valueTexts[index];
  double& value = settings.values[index];
  const bool negative = value < 0;
  if (negative) {
    value = 0 - value;
  }

  char candidate[kValueTextSize];
  CopyWithoutMinus(text, candidate, [](int) { return true; });
  if (ParseOneText(candidate) == value) {
    std::memcpy(text, candidate, kValueTextSize);
    return;
  }
  // Dropping every minus would turn an exponent's sign around ("1e-3" into
  // "1e3"); a negative text then loses only its sign, which in a negative
  // text is its first minus.
  if (negative) {
    CopyWithoutMinus(text, candidate, [](int minusIndex) { return minusIndex == 0; });
    if (ParseOneText(candidate) == value) {
      std::memcpy(text, candidate, kValueTextSize);
      return;
    }
  }
  // The text stays as typed, and so does what it means.
  value = ParseOneText(text);
}

bool IsValueField(HWND dialog, HWND child) {
  if (child == nullptr || child == dialog) {
    return false;
  }
  const int id = GetDlgCtrlID(child);
  return id >= IDC_VALUE_FIRST && id < IDC_VALUE_FIRST + kValueCount;
}

// The list position is the colour index; -1 when nothing is selected.
int SelectedElement(HWND dialog) {
  const LRESULT position = SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_GETCURSEL, 0, 0);
  return position >= 0 && position < kColorCount ? static_cast<int>(position) : -1;
}

int WarnUser(HWND dialog, const char* text, UINT buttons) {
  MessageBeep(MB_ICONEXCLAMATION);
  return MessageBoxA(dialog, text, kRangeErrorCaption, buttons | MB_ICONEXCLAMATION);
}

// Puts the user back on the field to mend, its text selected.
void FocusField(HWND dialog, int id) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
}

// False when the range stays reversed because the user declined the swap.
bool OfferRangeSwap(HWND dialog, GraphSettings& working, int minimum, int maximum,
                    const char* question) {
  if (!(working.values[minimum] > working.values[maximum])) {
    return true;
  }
  if (WarnUser(dialog, question, MB_YESNO) != IDYES) {
    return false;
  }
  std::swap(working.values[minimum], working.values[maximum]);
  std::swap(working.valueTexts[minimum], working.valueTexts[maximum]);
  SetDlgItemTextA(dialog, IDC_VALUE_FIRST + minimum, working.valueTexts[minimum]);
  SetDlgItemTextA(dialog, IDC_VALUE_FIRST + maximum, working.valueTexts[maximum]);
  return true;
}

// Reads and checks the fields; true when the working copy went live.
bool ApplyFields(HWND dialog, PropertiesState& state) {
  GraphSettings& working = state.working;
  for (int i = 0; i < kValueCount; ++i) {
    std::memset(working.valueTexts[i], 0, kValueTextSize);
    GetDlgItemTextA(dialog, IDC_VALUE_FIRST + i, working.valueTexts[i], kValueTextSize);
  }
  ParseValueTexts(working);

  if (!OfferRangeSwap(
          dialog, working, MinimumX, MaximumX,
          "Your X Minimum is more than your X Maximum!  Do you want to swap the values.")) {
    return false;
  }
  if (!OfferRangeSwap(
          dialog, working, MinimumY, MaximumY,
          "Your Y Minimum is more than your Y Maximum!  Do you want to swap the values.")) {
    return false;
  }

  const bool xEqual = working.values[MinimumX] == working.values[MaximumX];
  const bool yEqual = working.values[MinimumY] == working.values[MaximumY];
  if (xEqual || yEqual) {
    WarnUser(dialog, "Your Minimum and Maximums CANNOT equal!", MB_OK);
    FocusField(dialog, xEqual ? IDC_MINIMUM_X : IDC_MINIMUM_Y);
    return false;
  }

  if (!(working.values[XTickFrequency] > 0) || !(working.values[YTickFrequency] > 0)) {
    WarnUser(dialog, "Your Tick Ranges must be greater than zero.  Press [Ok] to correct this.",
             MB_OK);
    CorrectTickSpacings(working);
    SetDlgItemTextA(dialog, IDC_X_TICK_FREQUENCY, working.valueTexts[XTickFrequency]);
    SetDlgItemTextA(dialog, IDC_Y_TICK_FREQUENCY, working.valueTexts[YTickFrequency]);
    // The renderer steps by the tick spacing; a zero one is never applied.
    if (!(working.values[XTickFrequency] > 0)) {
      FocusField(dialog, IDC_X_TICK_FREQUENCY);
      return false;
    }
    if (!(working.values[YTickFrequency] > 0)) {
      FocusField(dialog, IDC_Y_TICK_FREQUENCY);
      return false;
    }
  }

  currentSettings = working;
  redrawGraph = 1;
  return true;
}

void ChooseElementColor(HWND dialog, PropertiesState& state) {
  const int element = SelectedElement(dialog);
  if (element < 0) {
    return;
  }
  COLORREF customColors[kCustomColorCount];
  LoadCustomColors(customColors);

  CHOOSECOLORA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = dialog;
  choice.rgbResult = state.working.colors[element];
  choice.lpCustColors = customColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choice)) {
    return;
  }
  state.working.colors[element] = choice.rgbResult;
  SaveCustomColors(customColors);
  InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), nullptr, TRUE);
}

void DrawSwatch(HDC dc, const RECT& area, COLORREF color) {
  OwnedBrush brush(CreateSolidBrush(color));
  OwnedPen pen(CreatePen(PS_SOLID, 1, color));
  SelectionGuard brushSelection(dc, brush.Get());
  SelectionGuard penSelection(dc, pen.Get());
  Rectangle(dc, area.left, area.top, area.right, area.bottom);
}

void StartPickMode(HWND dialog, PropertiesState& state) {
  state.pickMode = true;
  state.pointerOverField = false;
  SetCursor(LoadCursorA(nullptr, IDC_NO));
  // Captured, every click comes to the dialog and no control acts on it.
  SetCapture(dialog);
}

void TrackPickPointer(HWND dialog, PropertiesState& state, LPARAM position) {
  const POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  // Fields come before their group boxes in the template, so the field is found.
  const HWND child = ChildWindowFromPoint(dialog, point);
  if (child == nullptr) {
    return;
  }
  const bool overField = IsValueField(dialog, child);
  // The capture keeps the system from resetting the cursor, so set it only on a change.
  if (overField != state.pointerOverField) {
    SetCursor(LoadCursorA(nullptr, overField ? IDC_UPARROW : IDC_NO));
    state.pointerOverField = overField;
  }
}

void FinishPickMode(HWND dialog, PropertiesState& state, LPARAM position) {
  state.pickMode = false;
  ReleaseCapture();
  const POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  const HWND field = ChildWindowFromPoint(dialog, point);
  if (!IsValueField(dialog, field)) {
    return;
  }
  // Room is kept for the suffix: of a full field the last character gives way.
  char text[kValueTextSize] = {};
  GetWindowTextA(field, text, kValueTextSize - static_cast<int>(sizeof kPiSuffix - 1));
  lstrcatA(text, kPiSuffix);
  SetWindowTextA(field, text);
  SetFocus(field);
}

BOOL InitDialog(HWND dialog) {
  auto* state = new (std::nothrow) PropertiesState{};
  if (state == nullptr) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  state->working = currentSettings;
  state->backup = currentSettings;

  for (int i = 0; i < kValueCount; ++i) {
    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + i, state->working.valueTexts[i]);
    SendDlgItemMessageA(dialog, IDC_VALUE_FIRST + i, EM_LIMITTEXT, kMaxValueTextLength, 0);
  }
  for (int i = 0; i < kColorCount; ++i) {
    char name[kValueTextSize] = {};
    LoadStringA(appInstance, IDS_COLOR_NAME_FIRST + i, name, sizeof name);
    SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_SETCURSEL, 0, 0);
  return TRUE;
}

void OnCommand(HWND dialog, PropertiesState& state, int id, int notification) {
  switch (id) {
    case IDOK:
      if (ApplyFields(dialog, state)) {
        EndDialog(dialog, 0);
      }
      break;
    case IDC_APPLY:
      if (ApplyFields(dialog, state)) {
        InvalidateRect(GetParent(dialog), nullptr, TRUE);
      }
      break;
    case IDCANCEL:
      // The backup dates from the opening, so this undoes every Apply.
      currentSettings = state.backup;
      redrawGraph = 1;
      EndDialog(dialog, 0);
      break;
    case IDC_CHANGE_COLOR:
      ChooseElementColor(dialog, state);
      break;
    case IDC_GRID_ELEMENT:
      if (notification == CBN_SELCHANGE) {
        InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), nullptr, TRUE);
      }
      break;
    case IDC_PI:
      StartPickMode(dialog, state);
      break;
    default:
      break;
  }
}

}  // namespace

void CorrectTickSpacings(GraphSettings& settings) {
  CorrectTickSpacing(settings, XTickFrequency);
  CorrectTickSpacing(settings, YTickFrequency);
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PropertiesState* state = GetState(dialog);
  switch (message) {
    case WM_INITDIALOG:
      return InitDialog(dialog);

    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      RECT area = {};
      GetClientRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), &area);
      item->CtlType = ODT_BUTTON;
      item->CtlID = IDC_COLOR_SWATCH;
      item->itemID = 0;
      item->itemWidth = static_cast<UINT>(area.right - area.left);
      item->itemHeight = static_cast<UINT>(area.bottom - area.top);
      item->itemData = 0;
      return TRUE;
    }

    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      RECT area = {};
      GetClientRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), &area);
      const int element = SelectedElement(dialog);
      if (state != nullptr && item->CtlID == IDC_COLOR_SWATCH &&
          (item->itemAction & ODA_DRAWENTIRE) != 0 && element >= 0) {
        DrawSwatch(item->hDC, area, state->working.colors[element]);
      }
      return TRUE;
    }

    case WM_COMMAND:
      if (state != nullptr) {
        OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
      }
      return FALSE;

    case WM_MOUSEMOVE:
      if (state != nullptr && state->pickMode) {
        TrackPickPointer(dialog, *state, lParam);
      }
      return FALSE;

    case WM_LBUTTONDOWN:
      if (state != nullptr && state->pickMode) {
        FinishPickMode(dialog, *state, lParam);
      }
      return FALSE;

    case WM_DESTROY:
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      delete state;
      return FALSE;

    default:
      return FALSE;
  }
}

}  // namespace ondrix
