#include "platform/headless/recording_painter.h"

#include <cstdio>

namespace lumi::platform::headless {
namespace {

std::string BoxText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

std::string PointText(Point p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

std::string ColorText(Color c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(c & 0xFFFFFFFFu));
  return buffer;
}

}  // namespace

std::string Describe(const PaintOp& op) {
  switch (op.kind) {
    case PaintOp::Kind::FillEllipse: return "FillEllipse " + BoxText(op.box) + " " + ColorText(op.color);
    case PaintOp::Kind::FillRect: return "FillRect " + BoxText(op.box) + " " + ColorText(op.color);
    case PaintOp::Kind::Line:
      return "Line " + PointText(op.from) + "->" + PointText(op.to) + " " + ColorText(op.color) + " w" +
             std::to_string(op.width);
    case PaintOp::Kind::Arc:
      return "Arc " + BoxText(op.box) + " " + PointText(op.from) + "->" + PointText(op.to) + " " +
             ColorText(op.color) + " w" + std::to_string(op.width);
    case PaintOp::Kind::Picture:
      return "Picture " + PointText(op.from) + " " + std::to_string(op.picture.width) + "x" +
             std::to_string(op.picture.height);
    case PaintOp::Kind::Edge:
      return std::string("Edge ") + BoxText(op.box) + (op.sunken ? " sunken" : " raised");
    case PaintOp::Kind::Frame: return "Frame " + BoxText(op.box) + " " + ColorText(op.color);
  }
  return "?";
}

PaintOp& RecordingPainter::Add(PaintOp::Kind kind) {
  ops_.emplace_back();
  ops_.back().kind = kind;
  return ops_.back();
}

void RecordingPainter::FillEllipse(const Rect& box, Color color) {
  PaintOp& op = Add(PaintOp::Kind::FillEllipse);
  op.box = box;
  op.color = color;
}

void RecordingPainter::FillRect(const Rect& box, Color color) {
  PaintOp& op = Add(PaintOp::Kind::FillRect);
  op.box = box;
  op.color = color;
}

void RecordingPainter::Line(Point from, Point to, Color color, int32_t width) {
  PaintOp& op = Add(PaintOp::Kind::Line);
  op.from = from;
  op.to = to;
  op.color = color;
  op.width = width;
}

void RecordingPainter::Arc(const Rect& box, Point start, Point end, Color color, int32_t width) {
  PaintOp& op = Add(PaintOp::Kind::Arc);
  op.box = box;
  op.from = start;
  op.to = end;
  op.color = color;
  op.width = width;
}

void RecordingPainter::DrawPicture(Point at, const Picture& picture) {
  PaintOp& op = Add(PaintOp::Kind::Picture);
  op.from = at;
  op.picture = picture;
}

void RecordingPainter::Edge(const Rect& box, bool sunken) {
  PaintOp& op = Add(PaintOp::Kind::Edge);
  op.box = box;
  op.sunken = sunken;
}

void RecordingPainter::Frame(const Rect& box, Color color) {
  PaintOp& op = Add(PaintOp::Kind::Frame);
  op.box = box;
  op.color = color;
}

std::vector<std::string> RecordingPainter::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(ops_.size());
  for (const auto& op : ops_) lines.push_back(Describe(op));
  return lines;
}

}  // namespace lumi::platform::headless
