#include "platform/qt/qt_convert.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include "platform/qt/qt_keys.h"
#include "runtime/cp1251.h"

namespace lumi::platform::qt_backend {
namespace {

TEST(QtConvertTest, TextsCrossAsWindows1251) {
  const std::string caption = cp1251::FromUtf8("Индикатор №01");
  EXPECT_EQ(ToQString(caption), QString::fromUtf8("Индикатор №01"));
  EXPECT_EQ(FromQString(QString::fromUtf8("Скорость:")), cp1251::FromUtf8("Скорость:"));
  EXPECT_EQ(FromQString(QString::fromUtf8("日本")), "??");  // no byte for them
}

TEST(QtConvertTest, ColoursAreBgrOrSystemColours) {
  const QPalette& palette = QApplication::palette();
  EXPECT_EQ(ToQColor(0x0000FF, palette), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000, palette), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(0x808080, palette), QColor(128, 128, 128));
  EXPECT_EQ(ToQColor(0xFF00000F, palette), palette.color(QPalette::Button));
  EXPECT_EQ(ToQColor(0xFF000005, palette), palette.color(QPalette::Base));
  EXPECT_EQ(ToQColor(0xFF0000EE, palette), QColor(Qt::black));  // no such system colour
}

TEST(QtConvertTest, PicturesAreCheckedBeforeUse) {
  const QImage image = ToQImage(Picture{2, 2, {0x80FF0000, 0xFF00FF00, 0, 0xFFFFFFFF}});
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixel(0, 0), 0x80FF0000u);
  EXPECT_TRUE(image.hasAlphaChannel());
  // A bitmap without alpha is opaque, not invisible.
  const QImage opaque = ToQImage(Picture{1, 1, {0x00123456}});
  EXPECT_EQ(opaque.pixel(0, 0), 0xFF123456u);
  EXPECT_TRUE(ToQImage(Picture{}).isNull());
  EXPECT_TRUE(ToQImage(Picture{4, 4, {1, 2, 3}}).isNull());
  EXPECT_TRUE(ToQImage(Picture{-2, 4, {}}).isNull());
  EXPECT_TRUE(ToQImage(Picture{1 << 16, 1 << 16, {}}).isNull());
}

TEST(QtConvertTest, CalendarFieldsConvertBothWaysAndInvalidOnesGiveNothing) {
  const auto converted = ToQDateTime(CalendarTime{2024, 2, 29, 23, 59, 58, 7, 0});
  ASSERT_TRUE(converted.has_value());
  const CalendarTime back = ToCalendarTime(*converted);
  EXPECT_EQ(back, (CalendarTime{2024, 2, 29, 23, 59, 58, 7, 4}));                    // a Thursday
  EXPECT_EQ(ToCalendarTime(*ToQDateTime(CalendarTime{2024, 3, 3})).day_of_week, 0);  // Sunday
  EXPECT_FALSE(ToQDateTime(CalendarTime{2023, 2, 29}).has_value());
  EXPECT_FALSE(ToQDateTime(CalendarTime{2023, 1, 1, 24}).has_value());
  EXPECT_FALSE(ToQDateTime(CalendarTime{0, 1, 1}).has_value());
  EXPECT_FALSE(ToQDateTime(CalendarTime{10000, 1, 1}).has_value());
}

// The program's captions with the widths their labels have; the stand-in for the
// Windows dialog font must fit every one.
TEST(QtConvertTest, DialogFontStandInFitsTheCaptionsLaidOutForWindows) {
  const std::pair<const char*, int> captions[] = {
      {"Сигнал, если загрузка ЦП более", 171},
      {"Сигнал,  если  объём  свободного  места", 216},
      {"Сигнал,  если  объём  занятой  оператив-", 215},
      {"Сигнал,  если  занятый  объём  файла", 199},
      {"ной памяти (RAM) более", 128},
      {"подкачки более", 84},
      {"Сигнал при переключении языка на:", 190},
      {"Сигнал, если Internet", 109},
      {"Сигнал, если диск", 97},
      {"подключен", 59},
      {"Порт:", 27},
      {"Скорость:", 50},
      {"Пауза:", 33},
      {"Событие не определено", 238},
  };
  const QFont font = ToQFont(FontSpec{});
  const QFontMetrics metrics(font);
  for (const auto& [text, width] : captions) {
    EXPECT_LE(metrics.horizontalAdvance(QString::fromUtf8(text)), width) << text;
  }
  EXPECT_GE(font.pixelSize(), 9);   // and stays readable
  EXPECT_LE(metrics.height(), 17);  // within the labels' height
  // Larger sizes grow in step; other families keep their name.
  EXPECT_GT(ToQFont(FontSpec{.size = 9}).pixelSize(), font.pixelSize());
  const QFont bold = ToQFont(FontSpec{.name = "Courier New", .size = 12, .bold = true});
  EXPECT_EQ(bold.family(), QStringLiteral("Courier New"));
  EXPECT_EQ(bold.pixelSize(), 16);
  EXPECT_TRUE(bold.bold());
  EXPECT_GT(ToQFont(FontSpec{.size = -3}).pixelSize(), 0);
}

TEST(QtKeysTest, KeysGetTheirWindowsCodes) {
  EXPECT_EQ(VirtualKeyOf(Qt::Key_A, false, 0), 'A');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_5, false, 0), '5');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_5, true, 0), 0x65);   // keypad 5
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Home, true, 0), 36);  // keypad without Num Lock
  EXPECT_EQ(VirtualKeyOf(Qt::Key_F12, false, 0), 0x7B);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter, true, 0), 13);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Backtab, false, 0), 9);  // Shift+Tab is still Tab
  // Other characters are named by their place on the US keyboard: by key code when
  // the platform gives one, else by the Russian or US layout.
  EXPECT_EQ(VirtualKeyOf(0x419, false, 24), 'Q');  // Й
  EXPECT_EQ(VirtualKeyOf(0x44E, false, 0), 0xBE);  // ю, on the full-stop key
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Exclam, false, 0), '1');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_unknown, false, 0), 0);
}

}  // namespace
}  // namespace lumi::platform::qt_backend
