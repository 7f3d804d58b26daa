#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QString>
#include <optional>
#include <string>

#include "platform/ui.h"
#include "runtime/date_time.h"

// The crossings between the program's own values (Windows-1251 texts, 0x00BBGGRR
// colours, ARGB pictures, calendar fields) and Qt's.
namespace lumi::platform::qt_backend {

QString ToQString(const std::string& windows1251);
std::string FromQString(const QString& text);

// 0x00BBGGRR, or 0xFF0000nn for system colour nn taken from `palette`. Palette
// entries and other high bytes fall back to the low 24 bits as an RGB colour.
QColor ToQColor(Color color, const QPalette& palette);

// A null image for an empty picture or one whose pixels do not cover its size. A
// picture whose every pixel has alpha 0 comes from a bitmap without an alpha channel
// and is shown opaque.
QImage ToQImage(const Picture& picture);

// The desktop stand-in for the dialog font "MS Sans Serif" (and any name the desktop
// lacks a match for) is a condensed sans serif sized so that texts laid out for the
// Windows font fit their rectangles. Other names keep their family, sized by points.
QFont ToQFont(const FontSpec& font);
// The pixel size the stand-in font gets for 8 points.
int StandInPixelSize();

// Fields that name no moment give nothing.
std::optional<QDateTime> ToQDateTime(const CalendarTime& time);
CalendarTime ToCalendarTime(const QDateTime& time);

}  // namespace lumi::platform::qt_backend
