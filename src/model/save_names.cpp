#include "model/save_names.h"

#include "model/titles.h"
#include "model/value_text.h"

namespace ondrix {

namespace {

struct SaveType {
  SaveFormat format;
  const char* label;
  const char* extension;
};

constexpr SaveType kSaveTypes[] = {
    {SaveFormat::Png, "PNG image", ".png"},
    {SaveFormat::Svg, "SVG drawing", ".svg"},
    {SaveFormat::Emf, "Windows enhanced metafile", ".emf"},
};

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) {
    return false;
  }
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (LowerAscii(tail[i]) != ending[i]) {
      return false;
    }
  }
  return true;
}

std::string_view WithoutTrailing(std::string_view text, std::string_view characters) {
  const std::size_t last = text.find_last_not_of(characters);
  return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

// Windows drops the trailing dots and blanks of the name it creates.
std::string_view AsCreated(std::string_view name) {
  const std::size_t base = name.find_last_of("\\/:") + 1;  // npos + 1 is 0
  return name.substr(0, base + WithoutTrailing(name.substr(base), ". ").size());
}

}  // namespace

const char* SaveExtension(SaveFormat format) {
  for (const SaveType& type : kSaveTypes) {
    if (type.format == format) {
      return type.extension;
    }
  }
  return kSaveTypes[0].extension;
}

SaveFormat SaveFormatFromNumber(std::uint32_t number) {
  for (const SaveType& type : kSaveTypes) {
    if (static_cast<std::uint32_t>(type.format) == number) {
      return type.format;
    }
  }
  return SaveFormat::Png;
}

std::optional<SaveFormat> FormatOfName(std::string_view name) {
  const std::string_view created = AsCreated(name);
  for (const SaveType& type : kSaveTypes) {
    if (EndsWithNoCase(created, type.extension)) {
      return type.format;
    }
  }
  return std::nullopt;
}

std::string NameWithExtension(std::string_view name, SaveFormat selected) {
  std::string created(AsCreated(name));
  if (!FormatOfName(created)) {
    created += SaveExtension(selected);
  }
  return created;
}

std::string DefaultSaveName(const GraphSettings& settings, SaveFormat format) {
  const std::string function = FunctionNameText(settings);
  return (function.empty() ? "Graph" : function) + SaveExtension(format);
}

std::string SaveFilterText() {
  std::string filter;
  for (const SaveType& type : kSaveTypes) {
    const std::string pattern = std::string("*") + type.extension;
    filter += std::string(type.label) + " (" + pattern + ")" + '\0' + pattern + '\0';
  }
  return filter + '\0';
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) {
    return "";
  }
  const bool root = separator == 0 || path[separator - 1] == ':';
  return std::string(path.substr(0, root ? separator + 1 : separator));
}

std::string SaveFailureText(std::string_view path, std::string_view reason) {
  std::string text = "I could not save the graph as " + std::string(path);
  const std::string_view trimmed = WithoutTrailing(reason, " \t\r\n");
  if (!trimmed.empty()) {
    text += ": " + std::string(trimmed);
  }
  return text.back() == '.' ? text : text + '.';
}

SaveFormat StoredSaveFormat(const unsigned char* data, std::size_t size) {
  std::uint32_t number = static_cast<std::uint32_t>(SaveFormat::Png);
  if (size > sizeof number) {
    return SaveFormat::Png;
  }
  // Little-endian leading bytes, as the other stored numbers are read.
  for (std::size_t i = 0; i < size; ++i) {
    number = (number & ~(0xFFu << (8 * i))) | (static_cast<std::uint32_t>(data[i]) << (8 * i));
  }
  return SaveFormatFromNumber(number);
}

std::string StoredSaveFolder(const char* data, std::size_t size) {
  const std::size_t length = BoundedLength(data, size);
  return length < kMaxSavePathSize ? std::string(data, length) : std::string();
}

}  // namespace ondrix
