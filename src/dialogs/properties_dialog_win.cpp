#include "dialogs/properties_dialog_win.h"

#include <commdlg.h>

#include <cstring>

#include "dialogs/control_ids.h"
#include "model/field_rules.h"
#include "model/stored_values.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"

namespace ondrix {

namespace {

static_assert(sizeof(void*) != 4 || sizeof(CHOOSECOLORA) == 36, "the 32-bit chooser record");

// Lives on RunPropertiesDialog's stack, reached through DWLP_USER.
struct PropertiesState {
  GraphSettings working;
  GraphSettings backup;
  bool pickMode;
  bool pointerOverField;
};

PropertiesState* GetState(HWND dialog) {
  return reinterpret_cast<PropertiesState*>(GetWindowLongPtrA(dialog, DWLP_USER));
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

// Puts the user back on the field to mend, its text selected.
void FocusField(HWND dialog, int id) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
}

void ShowValueText(HWND dialog, const GraphSettings& working, int index) {
  SetDlgItemTextA(dialog, IDC_VALUE_FIRST + index, working.valueTexts[index]);
}

// Reads and checks the fields; true when the working copy went live.
bool ApplyFields(HWND dialog, PropertiesState& state) {
  GraphSettings& working = state.working;
  for (int i = 0; i < kValueCount; ++i) {
    std::memset(working.valueTexts[i], 0, kValueTextSize);
    GetDlgItemTextA(dialog, IDC_VALUE_FIRST + i, working.valueTexts[i], kValueTextSize);
  }
  ParseValueTexts(working);

  for (;;) {
    const FieldVerdict verdict = JudgeFields(working);
    switch (verdict.kind) {
      case FieldVerdictKind::AskSwap:
        if (WarnUser(dialog, verdict.text, kRangeErrorCaption, MB_YESNO) != IDYES) {
          return false;
        }
        SwapRange(working, verdict.minimum, verdict.maximum);
        ShowValueText(dialog, working, verdict.minimum);
        ShowValueText(dialog, working, verdict.maximum);
        continue;
      case FieldVerdictKind::RefuseEqual:
        WarnUser(dialog, verdict.text, kRangeErrorCaption, MB_OK);
        FocusField(dialog, IDC_VALUE_FIRST + verdict.field);
        return false;
      case FieldVerdictKind::CorrectTicks: {
        WarnUser(dialog, verdict.text, kRangeErrorCaption, MB_OK);
        CorrectTickSpacings(working);
        ShowValueText(dialog, working, XTickFrequency);
        ShowValueText(dialog, working, YTickFrequency);
        const int mend = TickFieldToMend(working);
        if (mend >= 0) {
          FocusField(dialog, IDC_VALUE_FIRST + mend);
          return false;
        }
        break;
      }
      case FieldVerdictKind::Apply:
        break;
    }
    break;
  }

  ApplyDialogSettings(GetParent(dialog), working);
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

// Signed client coordinates, as the mouse messages pack them.
POINT PointFromLParam(LPARAM position) {
  return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

void StartPickMode(HWND dialog, PropertiesState& state) {
  state.pickMode = true;
  state.pointerOverField = false;
  SetCursor(LoadCursorA(nullptr, IDC_NO));
  // Captured, every click comes to the dialog and no control acts on it.
  SetCapture(dialog);
}

void TrackPickPointer(HWND dialog, PropertiesState& state, LPARAM position) {
  const POINT point = PointFromLParam(position);
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
  const POINT point = PointFromLParam(position);
  const HWND field = ChildWindowFromPoint(dialog, point);
  if (!IsValueField(dialog, field)) {
    return;
  }
  char text[kValueTextSize] = {};
  GetWindowTextA(field, text, kValueTextSize);
  SetWindowTextA(field, WithPiSuffix(text).c_str());
  SetFocus(field);
}

BOOL InitDialog(HWND dialog, PropertiesState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  state->working = currentSettings;
  state->backup = currentSettings;

  for (int i = 0; i < kValueCount; ++i) {
    SetDlgItemTextA(dialog, IDC_VALUE_FIRST + i, state->working.valueTexts[i]);
    SendDlgItemMessageA(dialog, IDC_VALUE_FIRST + i, EM_LIMITTEXT, kMaxValueTextLength, 0);
  }
  for (int i = 0; i < kColorCount; ++i) {
    SendDlgItemMessageA(dialog, IDC_GRID_ELEMENT, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(kColorNames[i]));
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
      ApplyFields(dialog, state);
      break;
    case IDCANCEL:
      // The backup dates from the opening, so this undoes every Apply.
      ApplyDialogSettings(GetParent(dialog), state.backup);
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

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PropertiesState* state = GetState(dialog);
  switch (message) {
    case WM_INITDIALOG:
      return InitDialog(dialog, reinterpret_cast<PropertiesState*>(lParam));

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
        GdiSurface(item->hDC).FillRectangle(area.left, area.top, area.right, area.bottom,
                                            state->working.colors[element]);
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
      return FALSE;

    default:
      return FALSE;
  }
}

void RunPropertiesDialog(HWND owner) {
  PropertiesState state = {};
  DialogBoxParamA(appInstance, "PROPERTIES", owner, PropertiesDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace ondrix
