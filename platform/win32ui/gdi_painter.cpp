#include "platform/win32ui/gdi_painter.h"

#include <algorithm>

#include "platform/win32ui/gdi_objects.h"

namespace lumi::platform::win32ui {
namespace {

// Widths beyond this are no longer pens but programming errors; they are capped.
constexpr int32_t kWidestPen = 64;

RECT ToRECT(const Rect& box) {
  RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
  if (rect.right < rect.left) std::swap(rect.left, rect.right);
  if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
  return rect;
}

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

}  // namespace

GdiPainter::GdiPainter(HDC dc, uint32_t* pixels, int32_t width, int32_t height)
    : dc_(dc), pixels_(pixels), width_(width), height_(height) {
  SetArcDirection(dc_, AD_COUNTERCLOCKWISE);
  old_pen_ = SelectObject(dc_, GetStockObject(NULL_PEN));
  old_brush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
}

GdiPainter::~GdiPainter() {
  SelectObject(dc_, old_pen_);
  SelectObject(dc_, old_brush_);
  if (pen_ != nullptr) DeleteObject(pen_);
}

void GdiPainter::UsePen(Color color, int32_t width) {
  HPEN pen = CreatePen(PS_SOLID, std::clamp(width, 1, kWidestPen), ToColorRef(color));
  SelectObject(dc_, pen);
  if (pen_ != nullptr) DeleteObject(pen_);
  pen_ = pen;
}

void GdiPainter::FillEllipse(const Rect& box, Color color) {
  const RECT rect = ToRECT(box);
  if (IsEmpty(rect)) return;
  // An outline of the fill's own colour: the disc reaches the pixels the arcs drawn on
  // the same box light, so a bevel over it leaves no fill outside.
  UsePen(color, 1);
  HBRUSH brush = CreateSolidBrush(ToColorRef(color));
  HGDIOBJ old = SelectObject(dc_, brush);
  Ellipse(dc_, rect.left, rect.top, rect.right, rect.bottom);
  SelectObject(dc_, old);
  DeleteObject(brush);
}

void GdiPainter::FillRect(const Rect& box, Color color) {
  const RECT rect = ToRECT(box);
  if (IsEmpty(rect)) return;
  HBRUSH brush = CreateSolidBrush(ToColorRef(color));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void GdiPainter::Line(Point from, Point to, Color color, int32_t width) {
  if (from == to) return;
  UsePen(color, width);
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiPainter::Arc(const Rect& box, Point start, Point end, Color color, int32_t width) {
  const RECT rect = ToRECT(box);
  if (IsEmpty(rect)) return;
  UsePen(color, width);
  ::Arc(dc_, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
}

void GdiPainter::DrawPicture(Point at, const Picture& picture) {
  if (picture.IsEmpty() || picture.pixels.size() < static_cast<size_t>(picture.width) * picture.height)
    return;
  // GDI has drawn into the pixels so far; it must be done before they are read.
  GdiFlush();
  for (int32_t y = 0; y < picture.height; ++y) {
    const int32_t to_y = at.y + y;
    if (to_y < 0 || to_y >= height_) continue;
    for (int32_t x = 0; x < picture.width; ++x) {
      const int32_t to_x = at.x + x;
      if (to_x < 0 || to_x >= width_) continue;
      const uint32_t source = picture.pixels[static_cast<size_t>(y) * picture.width + x];
      const uint32_t alpha = source >> 24;
      if (alpha == 0) continue;
      uint32_t& target = pixels_[static_cast<size_t>(to_y) * width_ + to_x];
      auto mix = [alpha](uint32_t over, uint32_t under) {
        return (over * alpha + under * (255 - alpha)) / 255;
      };
      const uint32_t red = mix((source >> 16) & 0xFF, (target >> 16) & 0xFF);
      const uint32_t green = mix((source >> 8) & 0xFF, (target >> 8) & 0xFF);
      const uint32_t blue = mix(source & 0xFF, target & 0xFF);
      target = (red << 16) | (green << 8) | blue;
    }
  }
}

void GdiPainter::Edge(const Rect& box, bool sunken) {
  RECT rect = ToRECT(box);
  if (rect.right - rect.left < 2 || rect.bottom - rect.top < 2) return;
  DrawEdge(dc_, &rect, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void GdiPainter::Frame(const Rect& box, Color color) {
  const RECT rect = ToRECT(box);
  if (IsEmpty(rect)) return;
  HBRUSH brush = CreateSolidBrush(ToColorRef(color));
  FrameRect(dc_, &rect, brush);
  DeleteObject(brush);
}

}  // namespace lumi::platform::win32ui
