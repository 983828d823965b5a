#include "world/qt/view_scale.h"

#include <iterator>

double NextViewScale(double scale, int direction) {
  // A hair of tolerance, so that 1/3 stored and read back counts as the step.
  constexpr double kSame = 1e-6;
  if (direction > 0) {
    for (double step : kViewScaleSteps)
      if (step > scale + kSame) return step;
    return std::end(kViewScaleSteps)[-1];
  }
  for (auto it = std::rbegin(kViewScaleSteps); it != std::rend(kViewScaleSteps); ++it)
    if (*it < scale - kSame) return *it;
  return kViewScaleSteps[0];
}

double FitViewScale(QSize content, QSize pane) {
  if (content.isEmpty() || pane.isEmpty()) return 1.0;
  double scale = std::min(double(pane.width()) / content.width(), double(pane.height()) / content.height());
  scale = std::clamp(std::floor(scale * 1000.0) / 1000.0, kMinViewScale, kMaxViewScale);
  // Rounding the size to whole pixels must not make it a pixel too large.
  while (scale > kMinViewScale) {
    const QSize shown = TViewScale{scale}.Map(content);
    if (shown.width() <= pane.width() && shown.height() <= pane.height()) break;
    scale -= 0.001;
  }
  return scale;
}
