#include "elements/window/led.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace lumi {
namespace {

using platform::Point;
using platform::Rect;

// To the nearest integer, halves to even.
int32_t Round(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

// A size any Width or Height action may have set, kept where the arithmetic below
// cannot overflow.
int32_t Extent(int32_t size) { return std::clamp(size, 0, 32767); }

}  // namespace

void TElLED::On(TData& data, uint16_t) { Change(data, true); }

void TElLED::Off(TData& data, uint16_t) { Change(data, false); }

void TElLED::Change(TData& data, bool lit) {
  if (State == lit) return;
  State = lit;
  if (PlatformControl() != nullptr) PlatformControl()->Repaint();
  TailInteger(data, OnState, lit ? 1 : 0);
}

void TElLED::Paint(platform::Painter& painter) {
  if (PlatformControl() == nullptr) return;
  const Rect place = PlatformControl()->Geometry();
  const int32_t right = Extent(place.width);
  const int32_t bottom = Extent(place.height);
  const Rect box{0, 0, right, bottom};
  const platform::Color fill = State ? ColorOn : ColorOff;
  if (Shape == 0) {
    painter.FillEllipse(box, fill);
  } else {
    painter.FillRect(box, fill);
  }
  if (!Relief) return;
  // The highlight pens: width 1, then width 2.
  const platform::Color light1 = State ? ColorLight : ColorOff;
  const platform::Color light2 = State ? kWhite : ColorOn;
  if (Shape == 0) PaintRound(painter, right, bottom, light1, light2);
  if (Shape == 1) PaintSquare(painter, right, bottom, light1, light2);
}

void TElLED::PaintRound(platform::Painter& painter, int32_t right, int32_t bottom, platform::Color light1,
                        platform::Color light2) {
  const int32_t L = 0, T = 0, R = right, B = bottom;
  const Rect box{L, T, R - L, B - T};
  // Shadow on the upper left half, light on the lower right.
  painter.Arc(box, {R, T}, {L, B}, kGrey, 1);
  painter.Arc(box, {L, B}, {R, T}, kWhite, 1);
  if (State) {
    const int32_t dx = (R - L) / 8;
    const int32_t dy = (B - T) / 8;
    painter.Arc({L + 1, T + 1, R - L - 2, B - T - 2}, {L + dx - 1, B - 1}, {R - 1, T + dy - 1}, ColorOff, 1);
  }
  const int32_t l = R / 5, r = R - R / 5, t = B / 5, b = B - B / 5;
  const Rect inner{l, t, r - l, b - t};
  painter.Arc(inner, {l + Round(0.52 * (r - l)), t}, {l, t + Round(0.52 * (b - t))}, light1, 1);
  painter.Arc(inner, {l + Round(0.24 * (r - l)), t}, {l, t + Round(0.24 * (b - t))}, light2, 2);
}

void TElLED::PaintSquare(platform::Painter& painter, int32_t right, int32_t bottom, platform::Color light1,
                         platform::Color light2) {
  const int32_t L = 0, T = 0, R = right, B = bottom;
  auto polyline = [&painter](std::initializer_list<Point> points, platform::Color color, int32_t width) {
    const Point* previous = nullptr;
    for (const Point& p : points) {
      if (previous != nullptr) painter.Line(*previous, p, color, width);
      previous = &p;
    }
  };
  polyline({{L, B}, {L, T}, {R, T}}, kGrey, 1);
  polyline({{R - 1, T}, {R - 1, B - 1}, {L, B - 1}}, kWhite, 1);
  if (State) polyline({{R - 2, T + 1}, {R - 2, B - 2}, {L, B - 2}}, ColorOff, 1);
  const int32_t l = R / 12, r = R - R / 12, t = B / 8, b = B - B / 8;
  polyline({{l + 1, b - 2}, {l + 1, t + 1}, {l + (r - l) / 3, t + 1}}, light1, 1);
  polyline({{l + 1, t + 2}, {l + 1, t + 1}, {l + 2, t + 1}, {l + 1, t + 2}}, light2, 2);
}

}  // namespace lumi
