// Zooming and panning: the arithmetic behind the wheel, the drag, the arrow
// keys and the View menu. A step writes new texts into the six view fields
// (MinimumX, MaximumX, XTickFrequency, MinimumY, MaximumY, YTickFrequency)
// and derives the values from them, so the dialog shows and stores them. Each
// new range end is the number within a thousandth of a pixel (a millionth for
// a pan) of its exact place that has the shortest text, in "p" form where the
// field's text was; the text reads back as exactly that number. A refused
// step leaves the settings untouched.
#pragma once

#include <cstdint>
#include <optional>

#include "model/graph_settings.h"

namespace ondrix {

// The graph's area as DrawGraph gets it with left = top = 0: its last
// column is right - 1, its last row bottom - 1.
struct ViewSize {
  std::int32_t right;
  std::int32_t bottom;
};

constexpr double kWheelZoomFactor = 1.25;  // per notch
constexpr double kKeyZoomFactor = 2.0;
constexpr int kWheelDelta = 120;  // wheel units in a notch
// A zoom keeps the user's tick spacing while grid lines stay this far apart.
constexpr double kMinGridPixels = 8;
constexpr double kMaxGridPixels = 200;

// The x of a column and the y of a row, fractions allowed; at whole columns
// ColumnToX is PixelToX, and RowToY is the inverse of MapYToPixel.
double ColumnToX(double column, std::int32_t lastColumn, const GraphSettings& settings);
double RowToY(double row, std::int32_t lastRow, const GraphSettings& settings);

// Magnifies x by factorX and y by factorY (2 = twice as close, 0.5 = twice as
// far) about the point at (column, row), which stays there to within a
// quarter of a pixel. A factor of 1 leaves that axis's texts as they are.
// Tick spacings are kept while their grid lines stay between 8 and 200
// pixels apart, otherwise the nice spacing (1, 2, 5 x 10^n; for a spacing in
// "p": pi x 1/12, 1/6, 1/4, 1/2, 1, 2, 5, 10, 20, 50, ... and halvings of
// 1/12) nearest the density before the zoom. False (refused, settings
// untouched) when the step would leave the graph undrawable, when doubles
// could not tell neighbouring pixels apart, or when the settings are not
// drawable now or the area has fewer than two columns or rows.
bool ZoomAboutPixel(GraphSettings& settings, ViewSize size, double column, double row,
                    double factorX, double factorY);

// ZoomAboutPixel about the centre of the area, both axes by `factor`.
bool ZoomAboutCentre(GraphSettings& settings, ViewSize size, double factor);

// Moves the graph by dx columns (right when positive) and dy rows (down when
// positive): every point lands exactly dx columns and dy rows further on.
// Tick spacings never change. False (refused, settings untouched) as above.
bool PanByPixels(GraphSettings& settings, ViewSize size, std::int32_t dx, std::int32_t dy);

// Where the image drawn with `from` lies in the view `to`: the columns and
// rows every point moved by, when the two differ by a pan alone (the same
// scale and every other field alike). Empty otherwise, and for a move of
// less than a pixel from a whole one.
struct PixelShift {
  std::int32_t dx;
  std::int32_t dy;
};
std::optional<PixelShift> PanShift(const GraphSettings& from, const GraphSettings& to,
                                   ViewSize size);

// An arrow key's pan: a tenth of the last column (row), at least one pixel.
std::int32_t KeyPanPixels(std::int32_t extent);

// The zoom factor of whole wheel notches: 1.25 per notch, in when positive.
double WheelZoomFactor(int notches);

// Adds up wheel deltas (kWheelDelta a notch, positive when turned away from
// the user) into whole notches; a turn the other way drops the part of a
// notch kept so far.
class WheelAccumulator {
 public:
  // The whole notches completed by this delta (negative towards the user).
  int Add(int delta);
  void Clear() { rest_ = 0; }

 private:
  int rest_ = 0;
};

}  // namespace ondrix
