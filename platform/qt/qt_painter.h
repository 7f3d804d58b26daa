#pragma once

#include <QPalette>

#include "platform/ui.h"

class QPainter;

namespace lumi::platform::qt_backend {

// Draws the element's figures on a QPainter with the pixel rules of the Windows
// drawing calls: figures fill their box up to but without its right and bottom edge,
// lines leave out their last point, arcs run counter-clockwise from the ray through
// the start point to the ray through the end point. Antialiasing stays off so the
// small figures keep their hard pixel edges.
class QtPainter final : public Painter {
 public:
  // System colours are taken from `palette`.
  QtPainter(QPainter& painter, const QPalette& palette);

  void FillEllipse(const Rect& box, Color color) override;
  void FillRect(const Rect& box, Color color) override;
  void Line(Point from, Point to, Color color, int32_t width) override;
  void Arc(const Rect& box, Point start, Point end, Color color, int32_t width) override;
  void DrawPicture(Point at, const Picture& picture) override;
  void Edge(const Rect& box, bool sunken) override;
  void Frame(const Rect& box, Color color) override;

  // Start and span of a Windows arc in Qt's sixteenths of a degree, for the ellipse
  // inscribed in a box of the given size, with the points relative to its centre
  // (y down, as on the screen). Equal directions give the whole ellipse.
  struct ArcAngles {
    int start = 0;
    int span = 0;
  };
  static ArcAngles ArcAnglesFor(double radius_x, double radius_y, double start_x, double start_y,
                                double end_x, double end_y);

 private:
  void UsePen(Color color, int32_t width, bool last_point);

  QPainter& painter_;
  QPalette palette_;
};

}  // namespace lumi::platform::qt_backend
