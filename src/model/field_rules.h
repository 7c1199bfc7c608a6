// What OK and Apply in Grid Properties do with the fields: the range and
// tick-spacing checks, the swap of a reversed range, the tick correction.
#pragma once

#include <string>
#include <string_view>

#include "model/graph_settings.h"

namespace ondrix {

enum class FieldVerdictKind {
  AskSwap,       // a question; Yes swaps minimum and maximum, No keeps the dialog open
  RefuseEqual,   // a message; focus goes to `field`, nothing applied
  CorrectTicks,  // a message, then CorrectTickSpacings and TickFieldToMend
  Apply,
};

struct FieldVerdict {
  FieldVerdictKind kind;
  const char* text;  // question or message, nullptr for Apply
  int minimum;       // AskSwap: the range's two values
  int maximum;
  int field;  // RefuseEqual: the value whose field gets focus; -1 otherwise
};

extern const char kRangeErrorCaption[];

// The first check that the parsed fields fail, in the order the dialog asks:
// X swap, Y swap, equal bounds, tick spacings.
FieldVerdict JudgeFields(const GraphSettings& working);

// Swaps a range's values and texts.
void SwapRange(GraphSettings& settings, int minimum, int maximum);

// Makes negative tick spacings positive and drops the minus signs from both
// tick texts where that keeps each text meaning its corrected value; where it
// would not, only a negative text's sign goes. Afterwards each tick text
// parses to exactly its value. A zero spacing stays zero.
void CorrectTickSpacings(GraphSettings& settings);

// After the correction: the tick value whose field still needs mending
// (X first), or -1 when both can be applied.
int TickFieldToMend(const GraphSettings& settings);

// A field's text with the pi suffix "p" appended, which the pick pointer does:
// never more than 49 characters, so of a full field the last character
// gives way.
std::string WithPiSuffix(std::string_view field);

}  // namespace ondrix
