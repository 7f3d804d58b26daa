#pragma once

#include <cstdint>

#include "platform/ui.h"
#include "platform/windows/win32.h"

namespace lumi::platform::win32ui {

// The element's figures drawn by GDI itself, whose pixel rules they were made for:
// figures fill their box without its right and bottom edge, lines leave out their last
// point, arcs run counter-clockwise. It draws into a 32-bit top-down DIB section
// selected into `dc`, whose pixels it also needs to lay pictures over the background
// by their alpha.
class GdiPainter final : public Painter {
 public:
  GdiPainter(HDC dc, uint32_t* pixels, int32_t width, int32_t height);
  ~GdiPainter() override;
  GdiPainter(const GdiPainter&) = delete;
  GdiPainter& operator=(const GdiPainter&) = delete;

  void FillEllipse(const Rect& box, Color color) override;
  void FillRect(const Rect& box, Color color) override;
  void Line(Point from, Point to, Color color, int32_t width) override;
  void Arc(const Rect& box, Point start, Point end, Color color, int32_t width) override;
  void DrawPicture(Point at, const Picture& picture) override;
  void Edge(const Rect& box, bool sunken) override;
  void Frame(const Rect& box, Color color) override;

 private:
  void UsePen(Color color, int32_t width);

  HDC dc_;
  uint32_t* pixels_;
  int32_t width_;
  int32_t height_;
  HPEN pen_ = nullptr;
  HGDIOBJ old_pen_ = nullptr;
  HGDIOBJ old_brush_ = nullptr;
};

}  // namespace lumi::platform::win32ui
