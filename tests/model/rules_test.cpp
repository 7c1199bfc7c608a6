#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <set>
#include <string>

#include "model/field_rules.h"
#include "model/stored_values.h"
#include "model/titles.h"
#include "model/value_text.h"

namespace ondrix {
namespace {

GraphSettings WithTexts(std::initializer_list<std::pair<int, const char*>> texts) {
  GraphSettings settings = DefaultGraphSettings();
  for (const auto& [index, text] : texts) {
    SetValueText(settings.valueTexts[index], text);
  }
  ParseValueTexts(settings);
  return settings;
}

// Dropping every minus would turn "1e-3" into "1e3" while the value became
// 0.001; each corrected text must still mean its value.
TEST(FieldRules, TickCorrectionKeepsTextAndValueTogether) {
  const struct {
    const char *text, *corrected;
    double value;
  } cases[] = {{"-2p", "2p", 2 * kPi},    {"2-", "2", 2.0},
               {"-2-p", "2p", 2 * kPi},   {" -3", " 3", 3.0},
               {"1e-3", "1e-3", 0.001},   {"-1e-3", "1e-3", 0.001},
               {"-1e-3-", "1e-3-", .001}, {"-1e400", "1e400", DBL_MAX},
               {"-P", "1p", kPi},         {"-0", "0", 0.0},
               {"--p", "--p", 0.0},       {"1e-400", "1e-400", 0.0}};
  for (const auto& c : cases) {
    for (const char* y : {"-1", "1e-3"}) {
      SCOPED_TRACE(std::string(c.text) + " beside " + y);
      GraphSettings settings = WithTexts({{XTickFrequency, c.text}, {YTickFrequency, y}});
      CorrectTickSpacings(settings);
      EXPECT_STREQ(settings.valueTexts[XTickFrequency], c.corrected);
      EXPECT_EQ(settings.values[XTickFrequency], c.value);
      EXPECT_STREQ(settings.valueTexts[YTickFrequency], y[0] == '-' ? "1" : "1e-3");
      EXPECT_EQ(settings.values[YTickFrequency], y[0] == '-' ? 1.0 : 0.001);
      EXPECT_EQ(TickFieldToMend(settings), c.value > 0 ? -1 : XTickFrequency);
    }
  }
  EXPECT_EQ(TickFieldToMend(WithTexts({{YTickFrequency, "0"}})), YTickFrequency);
}

TEST(FieldRules, VerdictsInTheOrderTheDialogAsks) {
  using K = FieldVerdictKind;
  const struct {
    std::initializer_list<std::pair<int, const char*>> texts;
    K kind;
    const char* text;
    int first, field;
  } cases[] = {
      {{}, K::Apply, nullptr, -1, -1},
      {{{MinimumX, "10"}, {MinimumY, "9"}}, K::AskSwap, "Your X Minimum is more", MinimumX, -1},
      {{{MinimumY, "9"}, {MinimumX, "9"}}, K::AskSwap, "Your Y Minimum is more", MinimumY, -1},
      {{{MaximumX, "-2p"}, {MaximumY, "-4"}},
       K::RefuseEqual,
       "Your Minimum and Maximums CANNOT",
       -1,
       MinimumX},
      {{{MaximumY, "-4"}, {XTickFrequency, "0"}}, K::RefuseEqual, "Your Minimum", -1, MinimumY},
      {{{XTickFrequency, "-1"}}, K::CorrectTicks, "Your Tick Ranges must be greater", -1, -1},
      {{{YTickFrequency, "0"}}, K::CorrectTicks, "Your Tick Ranges", -1, -1},
      {{{MinimumX, "1e-300"}, {MaximumX, "2e-300"}}, K::Apply, nullptr, -1, -1},
  };
  for (const auto& c : cases) {
    const FieldVerdict verdict = JudgeFields(WithTexts(c.texts));
    SCOPED_TRACE(c.text != nullptr ? c.text : "apply");
    EXPECT_EQ(verdict.kind, c.kind);
    if (c.text == nullptr) {
      EXPECT_EQ(verdict.text, nullptr);
    } else {
      EXPECT_EQ(std::string(verdict.text).rfind(c.text, 0), 0u) << verdict.text;
    }
    EXPECT_EQ(verdict.minimum, c.first);
    EXPECT_EQ(verdict.maximum, c.first < 0 ? -1 : c.first + 1);
    EXPECT_EQ(verdict.field, c.field);
  }
  GraphSettings swapped = WithTexts({{MinimumY, "9"}, {MaximumY, "-1e-3"}});
  SwapRange(swapped, MinimumY, MaximumY);
  EXPECT_STREQ(swapped.valueTexts[MinimumY], "-1e-3");
  EXPECT_STREQ(swapped.valueTexts[MaximumY], "9");
  EXPECT_EQ(swapped.values[MinimumY], -0.001);
  EXPECT_EQ(swapped.values[MaximumY], 9.0);
}

TEST(Titles, CaptionDocumentNameAndPrintStatus) {
  GraphSettings settings = DefaultGraphSettings();
  EXPECT_EQ(GraphTitle(settings), "Sine - Ondrix");
  std::memset(settings.functionName, 'x', sizeof settings.functionName);  // no NUL
  EXPECT_EQ(GraphTitle(settings), std::string(15, 'x') + " - Ondrix");
  settings.functionName[0] = '\0';
  EXPECT_EQ(GraphTitle(settings), " - Ondrix");

  const struct {
    std::int32_t method, grid, sonar;
    const char *connection, *gridText, *sonarText;
  } cases[] = {{CM_UNCONNECTED_DOTS, 0, 7, "Unconnected Dots", "Off", "On"},
               {CM_CONNECTED_DOTS, 1, 0, "Connected Dots", "On", "Off"},
               {CM_NO_CONNECTION, -1, 0, "No Dot Connection", "On", "Off"},
               {CM_SINE, 0, 0, "", "Off", "Off"}};
  for (const auto& c : cases) {
    settings = DefaultGraphSettings();
    SetValueText(*reinterpret_cast<char(*)[kValueTextSize]>(settings.functionName), "Cosecant");
    settings.connectMethod = c.method;
    settings.grid = c.grid;
    settings.sonar = c.sonar;
    const PrintStatusTexts texts = MakePrintStatusTexts(settings);
    EXPECT_EQ(texts.function, "Cosecant");
    EXPECT_STREQ(texts.connection, c.connection);
    EXPECT_STREQ(texts.grid, c.gridText);
    EXPECT_STREQ(texts.sonar, c.sonarText);
  }
}

// The table is the stored format: every stored byte of the record exactly
// once, under the name the rest of the program knows it by.
TEST(StoredValues, TableCoversTheRecordOnceUnderItsNames) {
  std::set<std::size_t> bytes;
  std::set<std::string> names;
  for (int i = 0; i < kStoredValueCount; ++i) {
    const StoredValue& value = kStoredValues[i];
    names.insert(value.name);
    EXPECT_EQ(value.size, value.type == StoredType::Text ? 50u : 4u) << value.name;
    for (std::size_t b = value.offset; b < value.offset + value.size; ++b) {
      EXPECT_TRUE(bytes.insert(b).second) << value.name;
    }
    const int color = FindColorIndex(value.name);
    const int text = FindValueIndex(value.name);
    if (color >= 0) {
      EXPECT_EQ(value.offset, offsetof(GraphSettings, colors) + 4u * color);
    } else if (text >= 0) {
      EXPECT_EQ(value.offset, offsetof(GraphSettings, valueTexts) + 50u * text);
    }
    EXPECT_EQ(value.type == StoredType::Text, text >= 0) << value.name;
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kStoredValueCount));
  EXPECT_EQ(bytes.size(), 16u + 4 * kColorCount + 50 * kValueCount);
  EXPECT_EQ(*bytes.begin(), offsetof(GraphSettings, grid));
  const char* first[4] = {"Grid", "Sonar", "Connect Method", "Graph Method"};
  const std::size_t offsets[4] = {16, 28, 20, 24};
  for (int i = 0; i < kStoredValueCount; ++i) {
    EXPECT_EQ("DBT"[static_cast<int>(kStoredValues[i].type)], "BBDDDDDDDDDDTTTTTTTTTTTT"[i]) << i;
    if (i < 4) {
      EXPECT_STREQ(kStoredValues[i].name, first[i]);
      EXPECT_EQ(kStoredValues[i].offset, offsets[i]);
    }
  }
}

TEST(StoredValues, PlacementNeedsAnAreaAndClampsItsEdges) {
  const struct {
    Placement placement;
    PlacementRect expected;
  } cases[] = {
      {{}, {true, 0, 0, 320, 200}},
      {{-50, 10, 100, 1}, {true, -50, 10, 50, 11}},
      {{0, 0, 0, 200}, {false, 0, 0, 0, 200}},
      {{0, 0, 320, -1}, {false, 0, 0, 320, -1}},
      {{0, 0, 320, 0}, {false, 0, 0, 320, 0}},
      {{INT32_MAX - 1, INT32_MIN, 2, INT32_MAX}, {true, INT32_MAX - 1, INT32_MIN, INT32_MAX, -1}},
      {{5, INT32_MAX, INT32_MAX, INT32_MAX}, {true, 5, INT32_MAX, INT32_MAX, INT32_MAX}},
  };
  for (const auto& c : cases) {
    const PlacementRect r = MakePlacementRect(c.placement);
    EXPECT_EQ(r.hasArea, c.expected.hasArea) << c.placement.x;
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right) << c.placement.x;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.placement.y;
  }
}

}  // namespace
}  // namespace ondrix
