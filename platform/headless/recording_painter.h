#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace lumi::platform::headless {

// One drawing call as the painter received it.
struct PaintOp {
  enum class Kind : uint8_t { FillEllipse, FillRect, Line, Arc, Picture, Edge, Frame };

  Kind kind = Kind::FillRect;
  Rect box;           // FillEllipse, FillRect, Arc, Edge, Frame
  Point from;         // Line; Arc start; Picture position
  Point to;           // Line; Arc end
  Color color = 0;    // everything but Picture and Edge
  int32_t width = 0;  // pen width of Line and Arc
  bool sunken = false;
  Picture picture;

  bool operator==(const PaintOp&) const = default;
};

// One line per call, e.g. "Arc 0,0 15x15 (15,0)->(0,15) #808080 w1", so a test can
// compare a whole drawing at a glance. Colours are 0x00BBGGRR printed as six hex digits.
std::string Describe(const PaintOp& op);

// A painter that draws nothing and remembers every call, in order.
class RecordingPainter final : public Painter {
 public:
  void FillEllipse(const Rect& box, Color color) override;
  void FillRect(const Rect& box, Color color) override;
  void Line(Point from, Point to, Color color, int32_t width) override;
  void Arc(const Rect& box, Point start, Point end, Color color, int32_t width) override;
  void DrawPicture(Point at, const Picture& picture) override;
  void Edge(const Rect& box, bool sunken) override;
  void Frame(const Rect& box, Color color) override;

  const std::vector<PaintOp>& Ops() const { return ops_; }
  std::vector<std::string> Lines() const;
  void Clear() { ops_.clear(); }

 private:
  PaintOp& Add(PaintOp::Kind kind);

  std::vector<PaintOp> ops_;
};

}  // namespace lumi::platform::headless
