#include "model/pointer_readout.h"

#include <optional>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "model/function.h"
#include "model/number_text.h"

namespace ondrix {

std::string PointerReadoutText(const GraphSettings& settings, ViewSize size, std::int32_t column,
                               std::int32_t row) {
  const std::int32_t lastColumn = size.right - 1;
  const std::int32_t lastRow = size.bottom - 1;
  if (lastColumn < 1 || lastRow < 1 || !IsDrawable(settings, lastColumn)) {
    return "";
  }
  const double columnWidth = (settings.values[MaximumX] - settings.values[MinimumX]) / lastColumn;
  const double rowHeight = (settings.values[MaximumY] - settings.values[MinimumY]) / lastRow;
  const double x = ColumnToX(column, lastColumn, settings);
  std::string text = "x = " + DisplayNumberText(x, columnWidth);
  if (IsPiText(settings.valueTexts[XTickFrequency])) {
    text += " (" + PiDisplayText(x, columnWidth) + ")";
  }
  text += "   y = " + DisplayNumberText(RowToY(row, lastRow, settings), rowHeight);
  // A damaged function ID draws no curve: no value anywhere.
  const std::optional<Function> function = FunctionOfMethod(settings.graphMethod);
  double y = 0;
  const bool defined = function && EvaluateFunction(x, &y, *function, settings.values);
  return text + "   f(x) = " + (defined ? DisplayNumberText(y, rowHeight) : "undefined");
}

}  // namespace ondrix
