#include "app_title_curve.h"

#include "app_value_tables.h"
#include "qzf_application.h"

namespace {

// Point i (0-100) of the quadratic curve in hundredths, unsigned 32-bit arithmetic.
uint32_t bezier(uint32_t p0, uint32_t p1, uint32_t p2, uint32_t i) {
  const uint32_t rest = 100 - i;
  return (i * (2 * p1 * rest + p2 * i) + p0 * rest * rest) / 10000;
}

}  // namespace

void CAppTitleCurve::build(const CQZFApplication& app) {
  const std::span<const int16_t> t = app.getCurrentValueTable();
  if (t.size() <= kAppValueCurveWidthA) return;
  const auto x = [&](AppValue v) { return static_cast<uint32_t>(app.scaleX(t[v])); };
  const auto y = [&](AppValue v) { return static_cast<uint32_t>(app.scaleY(t[v])); };
  const uint32_t x0 = x(kAppValueCurveStartX), y0 = y(kAppValueCurveStartY);
  const uint32_t x1 = x(kAppValueCurveControlX), y1 = y(kAppValueCurveControlY);
  const uint32_t x2 = x(kAppValueCurveEndX), y2 = y(kAppValueCurveEndY);
  const int halfWidthA = t[kAppValueCurveWidthA] / 2, halfHeightA = t[kAppValueCurveHeightA] / 2;
  const int halfWidthB = t[kAppValueCurveWidthB] / 2, halfHeightB = t[kAppValueCurveHeightB] / 2;
  for (uint32_t i = 0; i < kPoints; ++i) {
    const int px = app.unscaleX(static_cast<int16_t>(bezier(x0, x1, x2, i)));
    const int py = app.unscaleY(static_cast<int16_t>(bezier(y0, y1, y2, i)));
    points_[i] = Point{static_cast<int16_t>(px - halfWidthB), static_cast<int16_t>(py - halfHeightB),
                       static_cast<int16_t>(px - halfWidthA), static_cast<int16_t>(py - halfHeightA)};
  }
}
