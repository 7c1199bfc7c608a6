// The rules of Save Graph As that need no window: which format a file name
// means, the name a file gets, the dialog's types, the message of a failed
// save, and the stored folder and type read back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/graph_settings.h"

namespace ondrix {

// The dialog's type index (counted from 1) and the stored "Save Type".
enum class SaveFormat : std::uint32_t { Png = 1, Svg = 2, Emf = 3 };

constexpr char kSaveFolderValueName[] = "Save Folder";  // REG_SZ
constexpr char kSaveTypeValueName[] = "Save Type";      // REG_DWORD, 1 to 3
// A path, its ending NUL counted, as the system's file dialogs take it.
constexpr std::size_t kMaxSavePathSize = 260;

// The folder and type offered by the next Save dialog.
struct SaveChoice {
  std::string folder;  // empty: the documents folder
  SaveFormat format = SaveFormat::Png;
  // Chosen in this run or an earlier one: only then is it stored at exit.
  bool made = false;
};

// ".png", ".svg" or ".emf".
const char* SaveExtension(SaveFormat format);

// 1 to 3 as themselves; anything else is PNG.
SaveFormat SaveFormatFromNumber(std::uint32_t number);

// The format a name's extension names, in any case; none for a name that
// ends in none of the three.
std::optional<SaveFormat> FormatOfName(std::string_view name);

// The name the file gets: trailing dots and blanks dropped, as the file
// system drops them, and the selected type's extension added unless the
// name already ends in one of the three.
std::string NameWithExtension(std::string_view name, SaveFormat selected);

// "Sine.png": the function's name, or "Graph" when it has none.
std::string DefaultSaveName(const GraphSettings& settings, SaveFormat format);

// The dialog's filter: label and pattern of each type, NUL-separated, with
// the closing second NUL.
std::string SaveFilterText();

// The folder part of a path, its root's backslash kept ("C:\\"); empty for
// a bare name.
std::string FolderOfPath(std::string_view path);

// "I could not save the graph as PATH: REASON", the reason's trailing
// blanks and line breaks dropped and a full stop ensured.
std::string SaveFailureText(std::string_view path, std::string_view reason);

// Stored data read back: a type is taken as the other numbers are (data of
// at most four bytes over the default's leading bytes), and a number other
// than 1 to 3 is PNG; a folder is the text up to its first NUL, empty (the
// default) when it would not fit a path.
SaveFormat StoredSaveFormat(const unsigned char* data, std::size_t size);
std::string StoredSaveFolder(const char* data, std::size_t size);

}  // namespace ondrix
