#include "platform/qt/qt_convert.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "runtime/cp1251.h"

namespace lumi::platform::qt_backend {
namespace {

constexpr uint32_t kSystemColorTag = 0xFF000000u;

struct PaletteEntry {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The Windows system colour indices, as the desktop palette names them.
std::optional<PaletteEntry> SystemColorEntry(uint32_t index) {
  using P = QPalette;
  switch (index) {
    case 0: return PaletteEntry{P::Active, P::Button};            // scroll bar
    case 1: return PaletteEntry{P::Active, P::Dark};              // desktop
    case 2: return PaletteEntry{P::Active, P::Highlight};         // active caption
    case 3: return PaletteEntry{P::Active, P::Mid};               // inactive caption
    case 4: return PaletteEntry{P::Active, P::Window};            // menu
    case 5: return PaletteEntry{P::Active, P::Base};              // window background
    case 6: return PaletteEntry{P::Active, P::Shadow};            // window frame
    case 7: return PaletteEntry{P::Active, P::WindowText};        // menu text
    case 8: return PaletteEntry{P::Active, P::Text};              // window text
    case 9: return PaletteEntry{P::Active, P::HighlightedText};   // caption text
    case 10: return PaletteEntry{P::Active, P::Button};           // active border
    case 11: return PaletteEntry{P::Active, P::Button};           // inactive border
    case 12: return PaletteEntry{P::Active, P::Mid};              // application workspace
    case 13: return PaletteEntry{P::Active, P::Highlight};        // highlight
    case 14: return PaletteEntry{P::Active, P::HighlightedText};  // highlighted text
    case 15: return PaletteEntry{P::Active, P::Button};           // button face
    case 16: return PaletteEntry{P::Active, P::Dark};             // button shadow
    case 17: return PaletteEntry{P::Disabled, P::Text};           // grey text
    case 18: return PaletteEntry{P::Active, P::ButtonText};       // button text
    case 19: return PaletteEntry{P::Disabled, P::WindowText};     // inactive caption text
    case 20: return PaletteEntry{P::Active, P::Light};            // button highlight
    case 21: return PaletteEntry{P::Active, P::Shadow};           // 3D dark shadow
    case 22: return PaletteEntry{P::Active, P::Midlight};         // 3D light
    case 23: return PaletteEntry{P::Active, P::ToolTipText};      // tooltip text
    case 24: return PaletteEntry{P::Active, P::ToolTipBase};      // tooltip background
    case 26: return PaletteEntry{P::Active, P::Link};             // hot-tracked item
    case 27: return PaletteEntry{P::Active, P::Highlight};        // caption gradient
    case 28: return PaletteEntry{P::Active, P::Mid};              // inactive caption gradient
    case 29: return PaletteEntry{P::Active, P::Highlight};        // menu highlight
    case 30: return PaletteEntry{P::Active, P::Window};           // menu bar
    default: return std::nullopt;
  }
}

bool IsDialogFontName(const std::string& name) {
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.empty() || lower.starts_with("ms sans serif") || lower.starts_with("ms shell dlg") ||
         lower == "microsoft sans serif";
}

struct StandIn {
  QString family;
  int stretch = QFont::Unstretched;
  int pixel_size = 11;
};

// A line the Windows dialog font sets in 215 pixels: the tightest fit among the
// program's captions, so every caption fits once this one does.
constexpr const char* kFitSample = "Сигнал,  если  объём  занятой  оператив-";
constexpr int kFitWidth = 215;
constexpr int kLargestPixelSize = 11;
constexpr int kSmallestPixelSize = 8;

int LargestFittingSize(const QString& family, int stretch) {
  const QString sample = QString::fromUtf8(kFitSample);
  for (int px = kLargestPixelSize; px > kSmallestPixelSize; --px) {
    QFont font(family);
    font.setStretch(stretch);
    font.setPixelSize(px);
    if (QFontMetrics(font).horizontalAdvance(sample) <= kFitWidth) return px;
  }
  return kSmallestPixelSize;
}

const StandIn& DialogFont() {
  static const StandIn chosen = [] {
    const QStringList families = QFontDatabase::families();
    std::vector<StandIn> candidates;
    if (families.contains(QStringLiteral("DejaVu Sans"))) {
      if (QFontDatabase::styles(QStringLiteral("DejaVu Sans")).contains(QStringLiteral("Condensed")))
        candidates.push_back({QStringLiteral("DejaVu Sans"), QFont::Condensed});
      candidates.push_back({QStringLiteral("DejaVu Sans"), QFont::Unstretched});
    }
    candidates.push_back(
        {QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), QFont::Unstretched});
    StandIn best = candidates.back();
    best.pixel_size = 0;
    for (StandIn candidate : candidates) {
      candidate.pixel_size = LargestFittingSize(candidate.family, candidate.stretch);
      if (candidate.pixel_size > best.pixel_size) best = candidate;
      // None after it can do better; measuring them would only load their files.
      if (best.pixel_size == kLargestPixelSize) break;
    }
    return best;
  }();
  return chosen;
}

}  // namespace

QString ToQString(const std::string& windows1251) {
  return QString::fromStdString(cp1251::ToUtf8(windows1251));
}

std::string FromQString(const QString& text) { return cp1251::FromUtf8(text.toStdString()); }

QColor ToQColor(Color color, const QPalette& palette) {
  if ((color & 0xFFFFFF00u) == kSystemColorTag) {
    if (auto entry = SystemColorEntry(color & 0xFFu)) return palette.color(entry->group, entry->role);
    return QColor(Qt::black);  // what the desktop answers for an index it does not know
  }
  return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                static_cast<int>((color >> 16) & 0xFFu));
}

QImage ToQImage(const Picture& picture) {
  // Bounded so that a corrupt size cannot ask for gigabytes.
  constexpr int64_t kMaxPixels = int64_t{1} << 26;
  if (picture.IsEmpty()) return {};
  const int64_t count = int64_t{picture.width} * picture.height;
  if (count > kMaxPixels || static_cast<uint64_t>(count) > picture.pixels.size()) return {};
  const bool any_alpha = std::any_of(picture.pixels.begin(), picture.pixels.begin() + count,
                                     [](uint32_t pixel) { return (pixel >> 24) != 0; });
  QImage image(picture.width, picture.height, any_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(image.scanLine(y), picture.pixels.data() + int64_t{y} * picture.width,
                sizeof(uint32_t) * static_cast<size_t>(picture.width));
  }
  return image;
}

int StandInPixelSize() { return DialogFont().pixel_size; }

QFont ToQFont(const FontSpec& spec) {
  const int points = spec.size > 0 ? std::min(spec.size, 500) : 8;
  QFont font;
  if (IsDialogFontName(spec.name)) {
    const StandIn& stand_in = DialogFont();
    font.setFamily(stand_in.family);
    font.setStretch(stand_in.stretch);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * stand_in.pixel_size / 8.0))));
  } else {
    font.setFamily(ToQString(spec.name));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96 / 72.0))));
  }
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strike_out);
  return font;
}

std::optional<QDateTime> ToQDateTime(const CalendarTime& time) {
  if (time.year < 1 || time.year > 9999) return std::nullopt;
  const QDate date(time.year, time.month, time.day);
  const QTime clock(time.hour, time.minute, time.second, time.millisecond);
  if (!date.isValid() || !clock.isValid()) return std::nullopt;
  // UTC keeps the fields as they are: a local time inside a daylight-saving gap
  // would be moved.
  return QDateTime(date, clock, Qt::UTC);
}

CalendarTime ToCalendarTime(const QDateTime& time) {
  const QDate date = time.date();
  const QTime clock = time.time();
  CalendarTime fields;
  fields.year = date.year();
  fields.month = date.month();
  fields.day = date.day();
  fields.hour = clock.hour();
  fields.minute = clock.minute();
  fields.second = clock.second();
  fields.millisecond = clock.msec();
  fields.day_of_week = date.dayOfWeek() % 7;
  return fields;
}

}  // namespace lumi::platform::qt_backend
