// The date and time picker: Russian whatever the locale, its text kept clear of its
// button, its calendar reporting once when it closes.
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QFontInfo>
#include <QSignalBlocker>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "platform/qt/qt_control.h"
#include "platform/qt/qt_convert.h"

namespace lumi::platform::qt_backend {

namespace {

// The window is Russian, whatever the locale of the session: the pickers show Russian
// month and day names and the Russian date order.
QLocale PickerLocale() { return QLocale(QLocale::Russian, QLocale::Russia); }

// The date formats of the picker: the short one as the Windows picker shows it in
// Russia, the long one the locale's, with four-digit years (a two-digit year would be
// edited into the wrong century).
QString DateFormat(bool long_date) {
  if (!long_date) return QStringLiteral("dd.MM.yyyy");
  QString format = PickerLocale().dateFormat(QLocale::LongFormat);
  if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
  return format;
}

QString TimeFormat() { return QStringLiteral("HH:mm:ss"); }

// Space kept between the picker's text and its button, beyond the field's own margin.
constexpr int kPickerTextGap = 2;
// A field's text starts this far in from its edges (QLineEdit's inner margin).
constexpr int kFieldMargin = 2;
constexpr int kSmallestPickerPixelSize = 7;

// Where the picker's field lies, as the style lays it out: beside the drop-down
// button, or beside the spin buttons.
QRect PickerField(const QDateTimeEdit& picker) {
  if (picker.calendarPopup()) {
    QStyleOptionComboBox option;
    option.initFrom(&picker);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_ComboBoxEditField;
    return picker.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                          &picker);
  }
  QStyleOptionSpinBox option;
  option.initFrom(&picker);
  option.buttonSymbols = picker.buttonSymbols();
  option.frame = picker.hasFrame();
  option.subControls =
      QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
  return picker.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, &picker);
}

// The width its text may take: the field less its margins and a gap to the button.
int PickerTextRoom(const QDateTimeEdit& picker) {
  return PickerField(picker).width() - 2 * kFieldMargin - kPickerTextGap;
}

// The widest text the picker's format gives: digits of one width each in the fonts in
// use, month and day names of the longest kind, and the text it shows now.
int WidestPickerText(const QDateTimeEdit& picker, const QFont& font) {
  const QFontMetrics metrics(font);
  const QLocale& locale = picker.locale();
  int widest = metrics.horizontalAdvance(picker.text());
  for (int month = 1; month <= 12; ++month) {
    for (int day = 22; day <= 28; ++day) {  // every day of the week, in every month
      const QDateTime sample(QDate(2888, month, day), QTime(20, 58, 58), Qt::UTC);
      widest = std::max(widest, metrics.horizontalAdvance(locale.toString(sample, picker.displayFormat())));
    }
  }
  return widest;
}

}  // namespace

QWidget* QtControl::CreateDatePicker(QWidget* parent) {
  auto* picker = new QDateTimeEdit(parent);
  picker->setLocale(PickerLocale());
  picker->setTimeSpec(Qt::UTC);
  // The range of the Windows picker.
  picker->setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC),
                           QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC));
  picker->setDisplayFormat(DateFormat(false));
  picker->setCalendarPopup(true);
  calendar_popup_ = true;
  return picker;
}

void QtControl::WatchCalendarPopup() {
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  QCalendarWidget* calendar = picker->calendarWidget();
  if (!calendar) return;
  calendar->setLocale(picker->locale());
  QWidget* popup = calendar->window();
  if (popup == calendar_window_ || popup == picker->window()) return;
  if (calendar_window_) calendar_window_->removeEventFilter(this);
  calendar_window_ = popup;
  popup->installEventFilter(this);
}

void QtControl::FitPickerText() {
  // The text keeps clear of the button: a text wider than the field takes a smaller
  // size of the same font.
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  const int room = PickerTextRoom(*picker);
  QFont fitted = base_font_;
  for (int px = QFontInfo(fitted).pixelSize();
       px > kSmallestPickerPixelSize && WidestPickerText(*picker, fitted) > room;) {
    fitted.setPixelSize(--px);
  }
  if (picker->font() != fitted) picker->setFont(fitted);
}

void QtControl::FitPickerTextWhenShown() {
  // Fitting measures every text of the format (a hundred of them): a picker out of
  // sight is fitted when it is shown.
  if (OutOfSight()) {
    deferred_.fit = true;
    return;
  }
  FitPickerText();
}

void QtControl::SetDateTime(const CalendarTime& value) {
  if (!widget_ || kind_ != ControlKind::DatePicker) return;
  const std::optional<QDateTime> converted = ToQDateTime(value);
  if (!converted) return;
  // The work cycle tells a channel's moment again and again, mostly with the window in
  // the tray.
  if (OutOfSight()) {
    deferred_.date_time = *converted;
    return;
  }
  deferred_.date_time.reset();
  ApplyDateTime(*converted);
}

void QtControl::ApplyDateTime(const QDateTime& value) {
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  if (picker->dateTime() == value) return;
  const QSignalBlocker blocker(picker);
  picker->setDateTime(value);
  // The last fit measured every text of the format: a new value only needs its own
  // text checked against the room.
  if (QFontMetrics(picker->font()).horizontalAdvance(picker->text()) > PickerTextRoom(*picker))
    FitPickerText();
}

void QtControl::SetDatePickerStyle(const DatePickerStyle& style) {
  if (!widget_ || kind_ != ControlKind::DatePicker) return;
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  const QSignalBlocker blocker(picker);
  calendar_popup_ = !style.up_down && !style.time_format;
  picker->setDisplayFormat(style.time_format ? TimeFormat() : DateFormat(style.long_date));
  picker->setCalendarPopup(calendar_popup_);
  FitPickerTextWhenShown();
  picker_style_ = style;
  PrepareCalendarWhenShown();
}

void QtControl::PrepareCalendarWhenShown() {
  if (!calendar_popup_) return;
  // The calendar is a window of its own with a month model and its own widgets (a
  // sixth of the memory of a program sitting in the tray): it is made when its picker
  // is first shown, before anyone can open it.
  if (OutOfSight()) {
    deferred_.calendar = true;
    return;
  }
  PrepareCalendar();
}

void QtControl::PrepareCalendar() {
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  if (!calendar_popup_) return;
  WatchCalendarPopup();
  const DatePickerStyle& style = picker_style_;
  const bool coloured = style.title_background != 0 || style.title_text != 0 || style.month_background != 0 ||
                        style.trailing_text != 0;
  QCalendarWidget* calendar = picker->calendarWidget();
  if (!coloured || !calendar) return;
  const QPalette& base = QApplication::palette();
  if (auto* title = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"))) {
    QPalette palette = title->palette();
    palette.setColor(QPalette::Window, ToQColor(style.title_background, base));
    palette.setColor(QPalette::Button, ToQColor(style.title_background, base));
    palette.setColor(QPalette::WindowText, ToQColor(style.title_text, base));
    palette.setColor(QPalette::ButtonText, ToQColor(style.title_text, base));
    title->setAutoFillBackground(true);
    title->setPalette(palette);
  }
  if (auto* month = calendar->findChild<QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview"))) {
    QPalette palette = month->palette();
    palette.setColor(QPalette::Base, ToQColor(style.month_background, base));
    month->setPalette(palette);
  }
}

}  // namespace lumi::platform::qt_backend
