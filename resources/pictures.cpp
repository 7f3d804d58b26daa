#include "resources/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <numbers>
#include <string>

namespace lumi::resources {
namespace {

using Color = uint32_t;  // 0xAARRGGBB
// Whether a point of the picture, in pixel units (pixel x covers x .. x + 1), lies in
// a shape.
using Shape = std::function<bool(double x, double y)>;

// A small drawing surface: shapes filled with a colour over what is there, their edges
// softened by sampling each pixel 4 x 4 times.
class Drawing {
 public:
  Drawing(int32_t width, int32_t height) {
    picture_.width = width;
    picture_.height = height;
    picture_.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  }

  void Fill(const Shape& shape, Color color) {
    constexpr int kSamples = 4;
    for (int32_t y = 0; y < picture_.height; ++y) {
      for (int32_t x = 0; x < picture_.width; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy) {
          for (int sx = 0; sx < kSamples; ++sx) {
            if (shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
          }
        }
        if (hits > 0) Blend(x, y, color, static_cast<double>(hits) / (kSamples * kSamples));
      }
    }
  }

  platform::Picture Take() { return std::move(picture_); }

 private:
  // Source over destination, straight (not premultiplied) alpha.
  void Blend(int32_t x, int32_t y, Color color, double coverage) {
    uint32_t& pixel =
        picture_
            .pixels[static_cast<size_t>(y) * static_cast<size_t>(picture_.width) + static_cast<size_t>(x)];
    const double sa = ((color >> 24) & 0xFF) / 255.0 * coverage;
    const double da = ((pixel >> 24) & 0xFF) / 255.0;
    const double oa = sa + da * (1.0 - sa);
    if (oa <= 0.0) return;
    uint32_t result = static_cast<uint32_t>(std::lround(oa * 255.0)) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      const double s = (color >> shift) & 0xFF;
      const double d = (pixel >> shift) & 0xFF;
      const double o = (s * sa + d * da * (1.0 - sa)) / oa;
      result |= static_cast<uint32_t>(std::clamp(std::lround(o), 0L, 255L)) << shift;
    }
    pixel = result;
  }

  platform::Picture picture_;
};

// ---- Shapes ------------------------------------------------------------------------

Shape Disc(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ring(double cx, double cy, double outer, double inner) {
  return [=](double x, double y) {
    const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d <= outer * outer && d >= inner * inner;
  };
}

Shape Box(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

// A straight stroke with round ends.
Shape Stroke(double x0, double y0, double x1, double y1, double half_width) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = dx * dx + dy * dy;
    double t = length > 0.0 ? ((x - x0) * dx + (y - y0) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= half_width * half_width;
  };
}

Shape Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
  return [=](double x, double y) {
    const double d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
    const double d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
    const double d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
  };
}

// A toothed wheel with a hole in the middle.
Shape Gear(double cx, double cy, double tip, double root, double hole, int teeth) {
  return [=](double x, double y) {
    const double dx = x - cx, dy = y - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r < hole) return false;
    const double period = 2.0 * std::numbers::pi / teeth;
    // Turned half a tooth so that a tooth points straight up.
    const double phase =
        std::fmod(std::atan2(dy, dx) + 2.0 * std::numbers::pi + period / 4.0, period) / period;
    return r <= (phase < 0.5 ? tip : root);
  };
}

Shape Without(Shape shape, Shape cut) {
  return [shape = std::move(shape), cut = std::move(cut)](double x, double y) {
    return shape(x, y) && !cut(x, y);
  };
}

// Binary digits of 3 x 5 pixels, one text row per glyph row.
void Digits(Drawing& drawing, const std::string& digits, int32_t left, int32_t top, Color color) {
  static const char* const kZero[] = {"###", "#.#", "#.#", "#.#", "###"};
  static const char* const kOne[] = {".#.", "##.", ".#.", ".#.", "###"};
  int32_t x0 = left;
  for (char digit : digits) {
    const char* const* glyph = digit == '1' ? kOne : kZero;
    for (int32_t row = 0; row < 5; ++row) {
      for (int32_t column = 0; column < 3; ++column) {
        if (glyph[row][column] == '#')
          drawing.Fill(Box(x0 + column, top + row, x0 + column + 1, top + row + 1), color);
      }
    }
    x0 += 4;
  }
}

// ---- The pictures ------------------------------------------------------------------

constexpr int32_t kButton = 24;
constexpr int32_t kIcon = 32;

platform::Picture PowerSymbol() {
  Drawing d(kButton, kButton);
  constexpr Color kRed = 0xFFC8281E;
  d.Fill(Without(Ring(12, 13, 8.8, 6.3), Box(8.2, 0, 15.8, 10)), kRed);
  d.Fill(Stroke(12, 3.2, 12, 11.5, 1.3), kRed);
  return d.Take();
}

platform::Picture InfoSign() {
  Drawing d(kButton, kButton);
  d.Fill(Disc(12, 12, 10.8), 0xFF1C4A96);
  d.Fill(Disc(12, 12, 9.6), 0xFF2F74D0);
  constexpr Color kWhite = 0xFFFFFFFF;
  d.Fill(Disc(12, 7, 1.7), kWhite);
  d.Fill(Box(10.6, 10, 13.4, 18), kWhite);
  d.Fill(Box(9.4, 16.6, 14.6, 18.4), kWhite);
  d.Fill(Box(9.4, 10, 13.4, 11.4), kWhite);
  return d.Take();
}

platform::Picture Wrench() {
  Drawing d(kButton, kButton);
  constexpr Color kSteel = 0xFF5E6B7A;
  // The open jaw faces up and to the right, away from the handle.
  const Shape jaw = Stroke(16, 8, 23, 1, 2.0);
  d.Fill(Without(Disc(16, 8, 5.4), jaw), kSteel);
  d.Fill(Stroke(4.5, 19.5, 14, 10, 2.3), kSteel);
  d.Fill(Disc(4.5, 19.5, 1.0), 0xFFC8D0D8);
  return d.Take();
}

platform::Picture GearPicture(Color edge, Color face) {
  Drawing d(kButton, kButton);
  d.Fill(Gear(12, 12, 10.6, 7.6, 3.0, 8), edge);
  d.Fill(Gear(12, 12, 9.4, 6.4, 4.2, 8), face);
  return d.Take();
}

platform::Picture DebugWindow() {
  Drawing d(kButton, kButton);
  d.Fill(Box(2, 3, 22, 21), 0xFF4A4A4A);
  d.Fill(Box(3, 4, 21, 7), 0xFF2F74D0);
  d.Fill(Box(3, 7, 21, 20), 0xFFFFFFFF);
  Digits(d, "1011", 5, 8, 0xFF107A20);
  Digits(d, "0110", 5, 14, 0xFF107A20);
  return d.Take();
}

platform::Picture PlayTriangle() {
  Drawing d(kButton, kButton);
  d.Fill(Triangle(5, 2.5, 5, 21.5, 22, 12), 0xFF1E7030);
  d.Fill(Triangle(6.4, 5.1, 6.4, 18.9, 19.2, 12), 0xFF36B452);
  return d.Take();
}

// The indicator unit: a dark case with its fourteen lamps in two rows, some lit.
platform::Picture IndicatorUnit() {
  Drawing d(kIcon, kIcon);
  d.Fill(Box(14, 24, 18, 31), 0xFF707070);
  d.Fill(Box(1, 6, 31, 26), 0xFF646A70);
  d.Fill(Box(2, 7, 30, 25), 0xFF2A2E33);
  const char* const rows[] = {"1011001", "0110101"};
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 7; ++i) {
      const bool lit = rows[row][i] == '1';
      const double cx = 4.6 + 3.8 * i;
      const double cy = row == 0 ? 12.0 : 19.5;
      d.Fill(Disc(cx, cy, 1.7), lit ? 0xFFFF2A1E : 0xFF6E1410);
      if (lit) d.Fill(Disc(cx - 0.5, cy - 0.6, 0.6), 0xC0FFFFFF);
    }
  }
  return d.Take();
}

// One lit lamp, as the window shows it.
platform::Picture Lamp() {
  Drawing d(kIcon, kIcon);
  d.Fill(Disc(16, 16, 14.5), 0xFF7A1010);
  d.Fill(Disc(16, 16, 13), 0xFFE8241C);
  d.Fill(Ring(16, 16, 10.5, 9.2), 0x60FFFFFF);
  d.Fill(Disc(11, 11, 3.6), 0xD0FFFFFF);
  return d.Take();
}

using Table = std::map<std::string, platform::Picture, std::less<>>;

Table MakeTable() {
  Table table;
  table["ICON0"] = IndicatorUnit();
  table["ICON1"] = Lamp();
  table["BITMAP0"] = PowerSymbol();
  table["BITMAP1"] = InfoSign();
  table["BITMAP2"] = Wrench();
  table["BITMAP3"] = GearPicture(0xFF8C8C8C, 0xFFBEBEBE);
  table["BITMAP4"] = GearPicture(0xFF23507D, 0xFF3C82C8);
  table["BITMAP5"] = DebugWindow();
  table["BITMAP6"] = PlayTriangle();
  return table;
}

}  // namespace

const platform::Picture& Picture(std::string_view name) {
  static const Table kTable = MakeTable();
  static const platform::Picture kNone;
  const auto found = kTable.find(name);
  return found != kTable.end() ? found->second : kNone;
}

}  // namespace lumi::resources
