// Rules the Win32 layer applies that need no window: what the registry's
// stored data may replace, the menu's check marks, the pi suffix of a field,
// the end of a print document and the clipboard image's rows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/dib_layout.h"
#include "model/field_rules.h"
#include "model/menu_checks.h"
#include "model/print_document.h"
#include "model/stored_values.h"

namespace ondrix {
namespace {

TEST(StoredData, AFieldTakesOnlyDataThatFitsIt) {
  const unsigned char bytes[6] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  // Sizes 0 to 5 read into 0x11223344: the leading bytes give way.
  const std::uint32_t fields[6] = {0x11223344, 0x112233AA, 0x1122BBAA,
                                   0x11CCBBAA, 0xDDCCBBAA, 0x11223344};
  for (std::size_t size = 0; size < 6; ++size) {
    std::uint32_t field = 0x11223344;
    EXPECT_EQ(AcceptStoredInt32(bytes, size, &field), size <= 4) << size << " bytes";
    EXPECT_EQ(field, fields[size]) << size << " bytes";
  }
  const std::string a49(49, 'a'), kept(kValueTextSize, 'k');
  // clang-format off
  const std::pair<std::string, std::string> texts[] = {{"", ""}, {std::string("abc\0", 4), "abc"}, {"abc", "abc"},
      {std::string("ab\0cd", 5), "ab"}, {a49, a49}, {a49 + '\0', a49}, {a49 + 'b', kept},
      {std::string("x\0", 2) + std::string(49, 'y'), kept}};  // longer than the field
  // clang-format on
  for (const auto& [data, taken] : texts) {
    char text[kValueTextSize];
    std::memcpy(text, kept.data(), sizeof text);
    EXPECT_EQ(AcceptStoredText(data.data(), data.size(), text), taken != kept) << data;
    EXPECT_EQ(std::string(text, sizeof text), taken + std::string(50 - taken.size(), '\0'))
        << data.size() << " bytes: " << data;
  }
}

// Check marks of the six functions, the three connections (Connected, Unconnected, None), Grid
// Lines and Point Sonar, in menu order.
TEST(MenuChecks, EachItemFollowsItsSettingAndAStrayIdChecksNothing) {
  const std::vector<std::int32_t> items = {CM_SINE,           CM_COSINE,           CM_TANGENT,
                                           CM_COTANGENT,      CM_SECANT,           CM_COSECANT,
                                           CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION,
                                           CM_GRID_LINES,     CM_POINT_SONAR};
  // clang-format off
  const struct { std::int32_t function, connection, grid, sonar; const char* checks; } rows[] = {
      {CM_SINE, CM_CONNECTED_DOTS, 1, 0, "100000 100 1 0"}, {CM_COSECANT, CM_NO_CONNECTION, 0, 7, "000001 001 0 1"},
      {CM_TANGENT, CM_UNCONNECTED_DOTS, -1, 1, "001000 010 1 1"},
      // Damaged methods carrying other commands' IDs, Grid Lines' among them.
      {CM_GRID_LINES, CM_SINE, 0, 0, "000000 000 0 0"}, {CM_CONNECTED_DOTS, 0, 0, 0, "000000 000 0 0"}};
  // clang-format on
  for (const auto& row : rows) {
    GraphSettings settings = DefaultGraphSettings();
    settings.graphMethod = row.function;
    settings.connectMethod = row.connection;
    settings.grid = row.grid;
    settings.sonar = row.sonar;
    std::vector<std::int32_t> commands;
    std::string checks;
    for (const MenuCheck& check : MenuChecks(settings)) {
      commands.push_back(check.command);
      checks += (commands.size() == 7 || commands.size() >= 10 ? " " : "") +
                std::to_string(check.checked);
    }
    EXPECT_EQ(commands, items);
    EXPECT_EQ(checks, row.checks) << row.function << " " << row.connection;
  }
}

TEST(FieldRules, ThePiSuffixNeverMakesAFieldLongerThan49) {
  const std::string a48(48, '1');
  const std::pair<std::string, std::string> rows[] = {
      {"", "p"}, {"-", "-p"}, {a48, a48 + "p"}, {a48 + "9", a48 + "p"}, {a48 + "999", a48 + "p"}};
  for (const auto& [field, expected] : rows) {
    EXPECT_EQ(WithPiSuffix(field), expected) << field;
  }
}

// Document, page started, page ended, cancelled.
TEST(PrintDocument, EndedOnlyWhenThePageWasSentAndNotCancelled) {
  using E = DocumentEnd;
  // clang-format off
  const std::pair<PrintProgress, DocumentEnd> rows[] = {{{0, 0, 0, 0}, E::None}, {{0, 1, 1, 1}, E::None},
      {{1, 1, 1, 0}, E::End}, {{1, 1, 1, 1}, E::Abort}, {{1, 1, 0, 0}, E::Abort}, {{1, 0, 0, 0}, E::Abort},
      {{1, 0, 1, 0}, E::Abort}};
  // clang-format on
  for (const auto& [p, end] : rows) {
    EXPECT_EQ(EndOfDocument(p), end)
        << p.documentStarted << p.pageStarted << p.pageEnded << p.cancelled;
  }
}

TEST(DibLayout, RowsOfThreeBytesPaddedToFour) {
  const std::pair<std::size_t, std::size_t> rows[] = {{0, 0},  {1, 4},  {2, 8},       {3, 12},
                                                      {4, 12}, {5, 16}, {1366, 4100}, {1920, 5760}};
  for (const auto& [width, size] : rows) {
    EXPECT_EQ(DibRowSize(width), size) << width << " pixels";
  }
}

}  // namespace
}  // namespace ondrix
