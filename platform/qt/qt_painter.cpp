#include "platform/qt/qt_painter.h"

#include <qdrawutil.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/qt_convert.h"

namespace lumi::platform::qt_backend {
namespace {

// A box with its corners in order; Windows accepts them swapped.
QRect Normalised(const Rect& box) { return QRect(box.left, box.top, box.width, box.height).normalized(); }

// The ellipse through the centres of the outermost pixels of a box: outlines on it
// light exactly those pixels, a fill inside it stays within the outline.
QRectF PixelCentreEllipse(const QRect& box, double grow = 0) {
  return QRectF(box.left() + 0.5 - grow, box.top() + 0.5 - grow, box.width() - 1 + 2 * grow,
                box.height() - 1 + 2 * grow);
}

// A fill takes the pixels whose centres lie on its outline too.
constexpr double kOnTheOutline = 0.05;

// Widths beyond this are no longer pens but programming errors; they are capped.
constexpr int32_t kWidestPen = 64;

}  // namespace

QtPainter::QtPainter(QPainter& painter, const QPalette& palette) : painter_(painter), palette_(palette) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtPainter::UsePen(Color color, int32_t width, bool last_point) {
  // A flat cap ends a line before its last point; a square cap covers it, so arcs
  // that meet leave no gap. A one-pixel pen is cosmetic: Qt then steps from pixel to
  // pixel as Windows does, where a thin stroked outline would leave gaps in small arcs.
  QPen pen(ToQColor(color, palette_), std::clamp(width, 1, kWidestPen));
  pen.setCosmetic(pen.width() == 1);
  pen.setCapStyle(last_point ? Qt::SquareCap : Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void QtPainter::FillEllipse(const Rect& box, Color color) {
  const QRect rect = Normalised(box);
  if (rect.isEmpty()) return;
  // The same ellipse the outlines follow (see Arc), so a bevel drawn over the disc
  // encloses it instead of leaving fill outside.
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(ToQColor(color, palette_));
  painter_.drawEllipse(PixelCentreEllipse(rect, kOnTheOutline));
}

void QtPainter::FillRect(const Rect& box, Color color) {
  const QRect rect = Normalised(box);
  if (rect.isEmpty()) return;
  painter_.fillRect(rect, ToQColor(color, palette_));
}

void QtPainter::Line(Point from, Point to, Color color, int32_t width) {
  if (from == to) return;  // a line without its last point is nothing
  UsePen(color, width, false);
  painter_.drawLine(from.x, from.y, to.x, to.y);
}

QtPainter::ArcAngles QtPainter::ArcAnglesFor(double radius_x, double radius_y, double start_x, double start_y,
                                             double end_x, double end_y) {
  // Qt measures the angle of the point on the unit circle before it is stretched to
  // the ellipse, counter-clockwise with y up; the rays through the points meet the
  // ellipse where the stretched-back directions point.
  auto angle_of = [&](double x, double y) {
    const double degrees = std::atan2(-y / radius_y, x / radius_x) * 180.0 / std::numbers::pi;
    return degrees < 0 ? degrees + 360.0 : degrees;
  };
  const int start = static_cast<int>(std::lround(angle_of(start_x, start_y) * 16));
  const int end = static_cast<int>(std::lround(angle_of(end_x, end_y) * 16));
  int span = end - start;
  if (span <= 0) span += 360 * 16;
  return {start, span};
}

void QtPainter::Arc(const Rect& box, Point start, Point end, Color color, int32_t width) {
  const QRect rect = Normalised(box);
  // The outline runs through the centres of the outermost pixels of the box, the same
  // pixels the filled figure reaches on every side.
  const QRectF outline = PixelCentreEllipse(rect);
  if (outline.width() <= 0 || outline.height() <= 0) return;
  const QPointF centre = outline.center();
  const ArcAngles angles = ArcAnglesFor(outline.width() / 2, outline.height() / 2, start.x - centre.x(),
                                        start.y - centre.y(), end.x - centre.x(), end.y - centre.y());
  UsePen(color, width, true);
  painter_.drawArc(outline, angles.start, angles.span);
}

void QtPainter::DrawPicture(Point at, const Picture& picture) {
  const QImage image = ToQImage(picture);
  if (!image.isNull()) painter_.drawImage(QPoint(at.x, at.y), image);
}

void QtPainter::Edge(const Rect& box, bool sunken) {
  const QRect rect = Normalised(box);
  if (rect.width() < 2 || rect.height() < 2) return;
  qDrawShadeRect(&painter_, rect, palette_, sunken, 1, 0);
}

void QtPainter::Frame(const Rect& box, Color color) {
  const QRect rect = Normalised(box);
  if (rect.isEmpty()) return;
  const QColor qcolor = ToQColor(color, palette_);
  painter_.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), qcolor);
  painter_.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), qcolor);
  painter_.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), qcolor);
  painter_.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), qcolor);
}

}  // namespace lumi::platform::qt_backend
