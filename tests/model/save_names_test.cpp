#include "model/save_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace ondrix {
namespace {

constexpr SaveFormat kPng = SaveFormat::Png, kSvg = SaveFormat::Svg, kEmf = SaveFormat::Emf;

// The name typed and the type selected; the name saved and its format.
TEST(SaveNames, ATypedExtensionWinsAndOtherNamesGetTheSelectedOne) {
  const std::tuple<const char*, SaveFormat, const char*, SaveFormat> cases[] = {
      {"Sine", kPng, "Sine.png", kPng},
      {"C:\\g\\Sine.SVG", kPng, "C:\\g\\Sine.SVG", kSvg},
      {"report.Png", kEmf, "report.Png", kPng},
      {"graph.v2", kEmf, "graph.v2.emf", kEmf},
      {"Sine.", kSvg, "Sine.svg", kSvg},
      {"Sine.emf. .", kPng, "Sine.emf", kEmf},
      {"svg", kSvg, "svg.svg", kSvg},
      {"x.pngx", kPng, "x.pngx.png", kPng},
      {"C:\\old.emf\\b", kSvg, "C:\\old.emf\\b.svg", kSvg},
      {"C:\\dir.\\b .", kEmf, "C:\\dir.\\b.emf", kEmf},
  };
  for (const auto& [typed, selected, saved, format] : cases) {
    EXPECT_EQ(NameWithExtension(typed, selected), saved) << typed;
    EXPECT_EQ(FormatOfName(saved), format) << saved;
  }
  EXPECT_FALSE(FormatOfName("Sine.png.txt") || FormatOfName("png") || FormatOfName("a.svg\\b"));
}

TEST(SaveNames, DefaultNameFilterFolderAndMessage) {
  GraphSettings settings = DefaultGraphSettings();
  EXPECT_EQ(DefaultSaveName(settings, kPng), "Sine.png");
  std::memcpy(settings.functionName, "Cotangent123456", kFunctionNameSize);  // no NUL
  EXPECT_EQ(DefaultSaveName(settings, kEmf), "Cotangent123456.emf");
  settings.functionName[0] = '\0';
  EXPECT_EQ(DefaultSaveName(settings, kSvg), "Graph.svg");

  const std::string filter = SaveFilterText();
  std::vector<std::string> parts;
  for (std::size_t start = 0; start < filter.size() - 1; start = filter.find('\0', start) + 1)
    parts.push_back(filter.c_str() + start);
  EXPECT_EQ(parts,
            (std::vector<std::string>{"PNG image (*.png)", "*.png", "SVG drawing (*.svg)", "*.svg",
                                      "Windows enhanced metafile (*.emf)", "*.emf"}));
  EXPECT_EQ(filter.substr(filter.size() - 2), std::string(2, '\0'));

  const std::pair<const char*, const char*> folders[] = {
      {"C:\\x\\a.png", "C:\\x"},
      {"C:\\a.png", "C:\\"},
      {"a.png", ""},
      {"\\\\host\\share\\a.png", "\\\\host\\share"},
      {"\\a.png", "\\"},
      {"Z:/tmp/a.png", "Z:/tmp"}};
  for (const auto& [path, folder] : folders)
    EXPECT_EQ(FolderOfPath(path), folder) << path;

  const std::pair<const char*, const char*> reasons[] = {
      {"Access is denied.\r\n", "I could not save the graph as C:\\a.png: Access is denied."},
      {"There is not enough space on the disk",
       "I could not save the graph as C:\\a.png: "
       "There is not enough space on the disk."},
      {" \r\n", "I could not save the graph as C:\\a.png."}};
  for (const auto& [reason, text] : reasons)
    EXPECT_EQ(SaveFailureText("C:\\a.png", reason), text);
}

// Damaged stored values give the defaults: PNG, and the documents folder (empty).
TEST(SaveNames, StoredTypeAndFolderReadBack) {
  const std::pair<std::vector<unsigned char>, SaveFormat> types[] = {
      {{}, kPng},           {{2, 0, 0, 0}, kSvg}, {{3}, kEmf},
      {{2, 0}, kSvg},       {{7, 0, 0, 0}, kPng}, {{0, 0, 0, 0}, kPng},
      {{3, 0, 0, 1}, kPng}, {{0, 1}, kPng},       {{3, 0, 0, 0, 0}, kPng}};
  for (const auto& [bytes, format] : types)
    EXPECT_EQ(StoredSaveFormat(bytes.data(), bytes.size()), format) << bytes.size();
  const std::string longest(kMaxSavePathSize - 1, 'a'), tooLong(kMaxSavePathSize, 'a');
  EXPECT_EQ(StoredSaveFolder("C:\\x\0junk", 10), "C:\\x");
  EXPECT_EQ(StoredSaveFolder(longest.data(), longest.size()), longest);
  EXPECT_EQ(StoredSaveFolder(tooLong.data(), tooLong.size()), "");
  EXPECT_EQ(std::string(SaveExtension(kEmf)) + SaveExtension(SaveFormat{9}), ".emf.png");
}

}  // namespace
}  // namespace ondrix
