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
  // clang-format off
  const std::tuple<const char*, SaveFormat, const char*, SaveFormat> cases[] = {{"Sine", kPng, "Sine.png", kPng},
      {"C:\\g\\Sine.SVG", kPng, "C:\\g\\Sine.SVG", kSvg}, {"a.Png", kEmf, "a.Png", kPng},
      {"graph.v2", kEmf, "graph.v2.emf", kEmf}, {"Sine.emf. .", kSvg, "Sine.emf", kEmf}, {"svg", kSvg, "svg.svg", kSvg},
      {"x.pngx", kPng, "x.pngx.png", kPng}, {"C:\\a.emf\\b", kSvg, "C:\\a.emf\\b.svg", kSvg},
      {"C:\\d.\\b .", kEmf, "C:\\d.\\b.emf", kEmf}};
  // clang-format on
  for (const auto& [typed, selected, saved, format] : cases) {
    EXPECT_EQ(NameWithExtension(typed, selected), saved) << typed;
    EXPECT_EQ(FormatOfName(saved), format) << saved;
  }
  EXPECT_FALSE(FormatOfName("Sine.png.txt") || FormatOfName("png"));
}

TEST(SaveNames, DefaultNameFilterFolderMessageAndTheStoredTypeAndFolder) {
  GraphSettings settings = DefaultGraphSettings();
  std::memcpy(settings.functionName, "Cotangent123456", kFunctionNameSize);  // no NUL
  EXPECT_EQ(DefaultSaveName(settings, kEmf), "Cotangent123456.emf");
  const char filter[] =
      "PNG image (*.png)\0*.png\0SVG drawing (*.svg)\0*.svg\0Windows enhanced metafile "
      "(*.emf)\0*.emf\0";
  EXPECT_EQ(SaveFilterText(), std::string(filter, sizeof filter));  // with the closing NUL
  const std::pair<const char*, const char*> folders[] = {
      {"C:\\x\\a.png", "C:\\x"}, {"C:\\a.png", "C:\\"}, {"a.png", ""}, {"Z:/t/a.png", "Z:/t"}};
  for (const auto& [path, folder] : folders)
    EXPECT_EQ(FolderOfPath(path), folder) << path;
  EXPECT_EQ(SaveFailureText("C:\\a.png", "Access is denied.\r\n"),
            "I could not save the graph as C:\\a.png: Access is denied.");
  EXPECT_EQ(SaveFailureText("a", "Disk full") + SaveFailureText("b", " \r\n"),
            "I could not save the graph as a: Disk full.I could not save the graph as b.");
  // Damaged stored values give the defaults: PNG, and the documents folder (empty).
  // clang-format off
  const std::pair<std::vector<unsigned char>, SaveFormat> types[] = {{{}, kPng}, {{2, 0, 0, 0}, kSvg}, {{3}, kEmf},
      {{7, 0, 0, 0}, kPng}, {{0, 0, 0, 0}, kPng}, {{3, 0, 0, 1}, kPng}, {{3, 0, 0, 0, 3}, kPng}};
  // clang-format on
  for (const auto& [bytes, format] : types)
    EXPECT_EQ(StoredSaveFormat(bytes.data(), bytes.size()), format) << bytes.size();
  const std::string tooLong(kMaxSavePathSize, 'a');
  EXPECT_EQ(StoredSaveFolder("C:\\x\0junk", 10), "C:\\x");
  EXPECT_EQ(StoredSaveFolder(tooLong.data(), tooLong.size()), "");
}

}  // namespace
}  // namespace ondrix
