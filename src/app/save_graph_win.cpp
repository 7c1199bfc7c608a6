#include "app/save_graph_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "app/graph_file_win.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

constexpr char kGivenUpReason[] = "its drawing was given up before it was done";

struct SaveTarget {
  std::string path;
  SaveFormat format;
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder chosen last while it still exists, else the documents folder,
// else the current one.
std::string OfferedFolder(const SaveChoice& choice) {
  if (!choice.folder.empty() && IsFolder(choice.folder)) {
    return choice.folder;
  }
  char folder[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return folder;
  }
  return GetCurrentDirectoryA(sizeof folder, folder) != 0 ? folder : "";
}

// The dialog checks for a file to replace under the name as typed, with the
// selected type's extension added only to a name with no extension at all;
// a name that gets one here ("graph.v2" saved as "graph.v2.png") is asked
// about here.
bool MayWrite(HWND window, const std::string& typed, const std::string& path) {
  if (path == typed || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  const std::string question = path + " already exists.\nDo you want to replace it?";
  return WarnUser(window, question.c_str(), kSaveGraphCaption, MB_YESNO) == IDYES;
}

std::optional<SaveTarget> AskSaveTarget(HWND window, SaveChoice& choice) {
  const std::string filter = SaveFilterText();
  const std::string folder = OfferedFolder(choice);
  std::string name = DefaultSaveName(currentSettings, choice.format);
  for (;;) {
    char file[kMaxSavePathSize] = {};
    name.copy(file, sizeof file - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(choice.format);
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = kSaveGraphCaption;
    // Any extension: the dialog then adds the selected type's to a bare name.
    dialog.lpstrDefExt = SaveExtension(SaveFormat::Png) + 1;
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) {
      return std::nullopt;
    }
    const SaveFormat selected = SaveFormatFromNumber(dialog.nFilterIndex);
    name = NameWithExtension(file, selected);
    if (MayWrite(window, file, name)) {
      const SaveFormat format = FormatOfName(name).value_or(selected);
      choice = SaveChoice{FolderOfPath(name), format, true};
      return SaveTarget{name, format};
    }
  }
}

}  // namespace

void SaveGraphAs(HWND window, GraphImage& image, SaveChoice& choice) {
  if (!image.CanShow(window)) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  const std::optional<SaveTarget> target = AskSaveTarget(window, choice);
  if (!target) {
    return;
  }
  image.WhenShown(window, [window, target = *target](const GraphPicture* picture) {
    if (picture != nullptr) {
      SaveGraphFile(window, target.path, target.format, *picture);
    } else {
      WarnUser(window, SaveFailureText(target.path, kGivenUpReason).c_str(), kSaveGraphCaption,
               MB_OK);
    }
  });
}

}  // namespace ondrix
