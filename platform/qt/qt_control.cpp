#include "platform/qt/qt_control.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTextCursor>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_painter.h"
#include "platform/qt/x11_probe.h"

namespace lumi::platform::qt_backend {
namespace {

constexpr const char* kControlProperty = "lumiControl";

// A drop-down list that says so before it opens: the element may fill it anew (the
// port list looks for the ports again).
class DropDownList final : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> about_to_open;

  void showPopup() override {
    if (about_to_open) about_to_open();
    QComboBox::showPopup();
  }
};

// While an element is being told about an event, a control it destroys may still be
// on the call stack: its widget is hidden at once and goes away once Qt is done with
// the event. A report may run a modal loop (a message box, a menu) in which other
// reports come and go, so the widgets wait for the outermost report to end and are
// handed to the event loop that delivered it: a loop nested inside the report never
// deletes a widget whose event handling is still on the stack beneath it.
int g_reporting = 0;

std::vector<QPointer<QWidget>>& Doomed() {
  static std::vector<QPointer<QWidget>> widgets;
  return widgets;
}

void ReleaseDoomed() {
  std::vector<QPointer<QWidget>> doomed;
  doomed.swap(Doomed());
  for (const QPointer<QWidget>& widget : doomed) {
    if (widget) widget->deleteLater();
  }
}

class ReportScope {
 public:
  ReportScope() { ++g_reporting; }
  ~ReportScope() {
    if (--g_reporting == 0) ReleaseDoomed();
  }
  ReportScope(const ReportScope&) = delete;
  ReportScope& operator=(const ReportScope&) = delete;
};

// The first form without an owner that is still there: the application's main window,
// whose font the popup menus and tooltips take.
QPointer<QWidget> g_main_form;

// Qt offers an input event that a widget did not accept to its parent, as a copy
// with the same time stamp. The first widget that reported it is remembered, so
// that its ancestors recognise the copy and stay silent.
struct InputSignature {
  QEvent::Type type = QEvent::None;
  quint64 timestamp = 0;
  int code = 0;
  QPointF global;
  bool operator==(const InputSignature&) const = default;
};

QPointer<QWidget> g_last_receiver;
InputSignature g_last_input;

bool AlreadyReported(QObject* watched, const InputSignature& input) {
  auto* widget = qobject_cast<QWidget*>(watched);
  QWidget* last = g_last_receiver.data();
  return widget && last && widget != last && widget->isAncestorOf(last) && input == g_last_input;
}

void RememberReported(QObject* watched, const InputSignature& input) {
  g_last_receiver = qobject_cast<QWidget*>(watched);
  g_last_input = input;
}

// Qt shows a disabled widget's input to its filters before dropping it.
bool IsEnabled(QObject* watched) {
  auto* widget = qobject_cast<QWidget*>(watched);
  return !widget || widget->isEnabled();
}

std::optional<MouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
  }
}

int32_t HeldButton(Qt::MouseButtons buttons) {
  if (buttons == Qt::LeftButton) return 0;
  if (buttons == Qt::RightButton) return 1;
  if (buttons == Qt::MiddleButton) return 2;
  return kNoSingleButton;
}

bool IsResizable(int32_t border_style) { return border_style == 2 || border_style == 5 || border_style == 7; }

// The window type carries what the window manager does with a window: an owned form
// (one with an owner) is a dialog or a tool window, which X11 window managers keep
// above the window it is transient for, as Windows keeps an owned window above its
// owner; a plain Qt::Window gets no WM_TRANSIENT_FOR at all. No style offers
// maximising: the sizable ones ask for the button, the others have a fixed size.
Qt::WindowFlags FlagsFor(int32_t border_style, bool owned) {
  const Qt::WindowFlags caption =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  const Qt::WindowType window = owned ? Qt::Dialog : Qt::Window;
  const Qt::WindowType captionless = owned ? Qt::Tool : Qt::Window;
  switch (border_style) {
    case 0: return captionless | Qt::FramelessWindowHint;
    case 1: return window | caption | Qt::WindowMinimizeButtonHint;
    case 2: return window | caption | Qt::WindowMinMaxButtonsHint;
    case 3: return Qt::Dialog | caption;
    case 4:
    case 5: return Qt::Tool | caption;
    default: return captionless | Qt::CustomizeWindowHint;  // 6, 7: a frame without a title bar
  }
}

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

QString MemoText(const std::string& text) {
  QString converted = ToQString(text);
  converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return converted;
}

int TabOrderOf(const QWidget* widget) { return widget->property("lumiTabOrder").toInt(); }

// Windows walks the tab stops of a window by each parent's tab order, entering group
// boxes where they stand among their siblings.
void CollectTabStops(QWidget* parent, std::vector<QWidget*>& stops) {
  std::vector<QWidget*> children;
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget && !widget->isWindow() && QtControl::FromWidget(widget)) children.push_back(widget);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const QWidget* a, const QWidget* b) { return TabOrderOf(a) < TabOrderOf(b); });
  for (QWidget* child : children) {
    if (TabOrderOf(child) > 0) stops.push_back(child);
    CollectTabStops(child, stops);
  }
}

}  // namespace

QtControl::QtControl(ControlKind kind, QWidget* parent, ControlEvents* events)
    : kind_(kind), events_(events) {
  CreateWidget(parent);
  widget_->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  WatchInput(widget_);
  ConnectSignals();
}

QtControl::~QtControl() {
  events_ = nullptr;
  if (calendar_window_) calendar_window_->removeEventFilter(this);
  if (!widget_) return;  // its parent went first and took it along
  widget_->setProperty(kControlProperty, QVariant());
  if (g_reporting > 0) {
    widget_->hide();
    Doomed().push_back(widget_);
  } else {
    delete widget_.data();
  }
}

void QtControl::DeleteDoomedWidgets() {
  std::vector<QPointer<QWidget>> doomed;
  doomed.swap(Doomed());
  for (const QPointer<QWidget>& widget : doomed) delete widget.data();
}

QtControl* QtControl::FromWidget(const QWidget* widget) {
  if (!widget) return nullptr;
  const QVariant value = widget->property(kControlProperty);
  return value.isValid() ? reinterpret_cast<QtControl*>(value.value<quintptr>()) : nullptr;
}

void QtControl::CreateWidget(QWidget* parent) {
  QWidget* widget = nullptr;
  switch (kind_) {
    case ControlKind::Form:
      // An owned form is a transient window of its owner: it stays above it and has
      // no taskbar entry of its own (SetVisible).
      widget = new QWidget(parent ? parent->window() : nullptr, FlagsFor(border_style_, parent != nullptr));
      widget->setAttribute(Qt::WA_QuitOnClose, false);
      if (!parent && !g_main_form) g_main_form = widget;
      break;
    case ControlKind::GroupBox: widget = new QGroupBox(parent); break;
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      widget = label;
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      widget = button;
      break;
    }
    case ControlKind::PictureButton:
      widget = new QWidget(parent);
      widget->setFocusPolicy(Qt::ClickFocus);
      widget->setAutoFillBackground(true);  // the element paints on a clean face
      break;
    case ControlKind::Edit: widget = new QLineEdit(parent); break;
    case ControlKind::CheckBox: widget = new QCheckBox(parent); break;
    case ControlKind::RadioButton: widget = new QRadioButton(parent); break;
    case ControlKind::ComboBox: {
      auto* combo = new DropDownList(parent);
      combo->setEditable(false);
      widget = combo;
      break;
    }
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setReadOnly(true);
      memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      widget = memo;
      break;
    }
    case ControlKind::DatePicker: {
      auto* picker = new QDateTimeEdit(parent);
      picker->setLocale(PickerLocale());
      picker->setTimeSpec(Qt::UTC);
      // The range of the Windows picker.
      picker->setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC),
                               QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC));
      picker->setDisplayFormat(DateFormat(false));
      picker->setCalendarPopup(true);
      calendar_popup_ = true;
      widget = picker;
      break;
    }
    case ControlKind::Canvas:
      widget = new QWidget(parent);
      widget->setAutoFillBackground(true);
      break;
  }
  if (kind_ == ControlKind::Label || kind_ == ControlKind::GroupBox || kind_ == ControlKind::Canvas)
    widget->setFocusPolicy(Qt::NoFocus);
  // Windows creates controls hidden until the element shows them; Qt would show a
  // child along with its parent unless it is hidden explicitly.
  widget->hide();
  widget_ = widget;
  if (kind_ == ControlKind::DatePicker) {
    base_font_ = widget->font();
    WatchCalendarPopup();
    FitPickerText();
  }
}

void QtControl::WatchInput(QWidget* widget) {
  // The inner widgets of a composite control (the viewport of a memo, the field of a
  // picker) take its input; later children are other controls or popups.
  widget->installEventFilter(this);
  widget->setMouseTracking(true);
  for (QWidget* inner : widget->findChildren<QWidget*>()) {
    if (inner->isWindow()) continue;
    inner->installEventFilter(this);
    inner->setMouseTracking(true);
  }
}

void QtControl::ConnectSignals() {
  auto report = [this](auto&& call) {
    if (!events_) return;
    ReportScope scope;
    call(*events_);
  };
  switch (kind_) {
    case ControlKind::Button:
      connect(static_cast<QPushButton*>(widget_.data()), &QPushButton::clicked, this,
              [report] { report([](ControlEvents& e) { e.Clicked(); }); });
      break;
    case ControlKind::CheckBox:
      // `clicked` comes from the user only; SetChecked goes through setChecked.
      connect(static_cast<QCheckBox*>(widget_.data()), &QCheckBox::clicked, this,
              [report](bool checked) { report([checked](ControlEvents& e) { e.CheckChanged(checked); }); });
      break;
    case ControlKind::RadioButton:
      // Qt keeps the radio buttons of one parent exclusive, as Windows does for its
      // automatic radio buttons; a click on the checked one reports again, as the
      // click notification of Windows does.
      connect(static_cast<QRadioButton*>(widget_.data()), &QRadioButton::clicked, this,
              [report] { report([](ControlEvents& e) { e.RadioSelected(); }); });
      break;
    case ControlKind::Edit:
      connect(static_cast<QLineEdit*>(widget_.data()), &QLineEdit::textEdited, this,
              [report](const QString& text) {
                report([text](ControlEvents& e) { e.TextChanged(FromQString(text)); });
              });
      break;
    case ControlKind::ComboBox:
      connect(static_cast<QComboBox*>(widget_.data()), &QComboBox::activated, this,
              [report](int index) { report([index](ControlEvents& e) { e.SelectionChanged(index); }); });
      static_cast<DropDownList*>(widget_.data())->about_to_open = [report] {
        report([](ControlEvents& e) { e.DropDown(); });
      };
      break;
    case ControlKind::DatePicker:
      // While its calendar is open, a picker reports once, when the calendar closes
      // (WatchCalendarPopup), not at every step through the months; what the user types
      // into the field is reported as it changes, as by every other picker.
      connect(static_cast<QDateTimeEdit*>(widget_.data()), &QDateTimeEdit::dateTimeChanged, this,
              [this, report](const QDateTime& value) {
                if (calendar_popup_ && calendar_window_ && calendar_window_->isVisible()) return;
                report([value](ControlEvents& e) { e.DateTimeChanged(ToCalendarTime(value)); });
              });
      break;
    default: break;
  }
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

QSize QtControl::NominalFrame(int32_t border_style) {
  // Classic metrics: dialog frame 3, sizing frame 4, caption 19, tool caption 16.
  switch (border_style) {
    case 0: return {0, 0};
    case 1:
    case 3: return {6, 25};
    case 2: return {8, 27};
    case 4: return {6, 22};
    case 5: return {8, 24};
    case 6: return {6, 6};
    case 7: return {8, 8};
    default: return {6, 25};
  }
}

void QtControl::ResizeClient(QSize size) {
  size = size.expandedTo(QSize(1, 1));
  if (IsResizable(border_style_)) {
    widget_->setMinimumSize(0, 0);
    widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_->resize(size);
    return;
  }
  // A window of fixed size never shows the window manager a size range on its way
  // from one size to the next: a range would make it sizable, and maximisable, in
  // between (the minimum grows first, the maximum shrinks first).
  widget_->setMinimumSize(widget_->minimumSize().expandedTo(size));
  widget_->setMaximumSize(size);
  widget_->setMinimumSize(size);
  widget_->resize(size);
}

void QtControl::SetGeometry(const Rect& rect) {
  if (!widget_) return;
  const int width = std::max(0, rect.width);
  const int height = std::max(0, rect.height);
  if (IsForm()) {
    const QSize frame = NominalFrame(border_style_);
    widget_->move(rect.left, rect.top);
    ResizeClient(QSize(width - frame.width(), height - frame.height()));
    return;
  }
  widget_->setGeometry(rect.left, rect.top, width, height);
  if (kind_ == ControlKind::DatePicker) FitPickerText();
}

Rect QtControl::Geometry() {
  if (!widget_) return {};
  if (IsForm()) {
    const QSize frame = NominalFrame(border_style_);
    const QPoint at = widget_->pos();
    return {at.x(), at.y(), widget_->width() + frame.width(), widget_->height() + frame.height()};
  }
  const QRect rect = widget_->geometry();
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void QtControl::SetVisible(bool visible) {
  if (!widget_) return;
  if (IsForm() && visible) {
    // Showing a form brings it back from the taskbar as well, as ShowWindow does.
    widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
    if (!widget_->isVisible()) PrepareToShow();
  }
  widget_->setVisible(visible);
}

void QtControl::PrepareToShow() {
  // A form opens with its texts at the top, however far they were scrolled when it
  // was hidden.
  for (auto* memo : widget_->findChildren<QPlainTextEdit*>()) {
    if (!FromWidget(memo)) continue;
    memo->moveCursor(QTextCursor::Start);
    memo->verticalScrollBar()->setValue(0);
    memo->horizontalScrollBar()->setValue(0);
  }
  // The window manager learns before the window is mapped that an owned form has no
  // taskbar entry; it forgets that whenever the window is withdrawn.
  if (widget_->parentWidget()) {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
      SkipTaskbar(x11->display(), static_cast<unsigned long>(widget_->winId()));
    }
  }
}

void QtControl::SetEnabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

void QtControl::SetColor(Color color) {
  if (!widget_) return;
  QPalette palette = widget_->palette();
  const QColor qcolor = ToQColor(color, QApplication::palette());
  switch (kind_) {
    case ControlKind::Edit:
    case ControlKind::Memo:
    case ControlKind::DatePicker: palette.setColor(QPalette::Base, qcolor); break;
    case ControlKind::ComboBox:
      palette.setColor(QPalette::Base, qcolor);
      palette.setColor(QPalette::Button, qcolor);
      break;
    case ControlKind::Button: palette.setColor(QPalette::Button, qcolor); break;
    default:
      palette.setColor(QPalette::Window, qcolor);
      if (!IsForm()) widget_->setAutoFillBackground(true);
      break;
  }
  widget_->setPalette(palette);
}

void QtControl::SetFont(const FontSpec& font) {
  if (!widget_) return;
  const QFont qfont = ToQFont(font);
  widget_->setFont(qfont);
  font_color_ = font.color;
  ApplyTextColor();
  if (IsForm() && widget_ == g_main_form) {
    // The popup menus and tooltips speak in the window's font, not the desktop's.
    QApplication::setFont(qfont, "QMenu");
    QToolTip::setFont(qfont);
  }
  if (kind_ == ControlKind::DatePicker) {
    base_font_ = qfont;
    FitPickerText();
  }
}

void QtControl::FitPickerText() {
  // The text keeps clear of the button: a text wider than the field takes a smaller
  // size of the same font.
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  const int room = PickerField(*picker).width() - 2 * kFieldMargin - kPickerTextGap;
  QFont fitted = base_font_;
  for (int px = QFontInfo(fitted).pixelSize();
       px > kSmallestPickerPixelSize && WidestPickerText(*picker, fitted) > room;) {
    fitted.setPixelSize(--px);
  }
  if (picker->font() != fitted) picker->setFont(fitted);
}

void QtControl::ApplyTextColor() {
  // Colour 0 is the black every font starts with: the desktop's text colour stands in
  // for it, so that text stays readable on a dark theme.
  if (font_color_ == 0) return;
  QPalette palette = widget_->palette();
  const QColor qcolor = ToQColor(font_color_, QApplication::palette());
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, qcolor);
    palette.setColor(group, QPalette::Text, qcolor);
    palette.setColor(group, QPalette::ButtonText, qcolor);
  }
  widget_->setPalette(palette);
}

void QtControl::SetHint(const std::string& hint) {
  if (widget_) widget_->setToolTip(ToQString(hint));
}

void QtControl::SetTabOrder(int32_t order) {
  if (!widget_ || IsForm()) return;
  tab_order_ = std::max(order, 0);
  widget_->setProperty("lumiTabOrder", tab_order_);
  if (widget_->focusPolicy() != Qt::NoFocus) {
    // Every control takes the focus when clicked; only tab stops take it by Tab.
    widget_->setFocusPolicy(tab_order_ > 0 ? Qt::StrongFocus : Qt::ClickFocus);
  }
  std::vector<QWidget*> stops;
  CollectTabStops(widget_->window(), stops);
  for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void QtControl::RaiseToTop() {
  if (widget_) widget_->raise();
}

void QtControl::Repaint() {
  if (widget_) widget_->update();
}

void QtControl::SetText(const std::string& text) {
  if (!widget_) return;
  const QString qtext = ToQString(text);
  switch (kind_) {
    case ControlKind::Form: widget_->setWindowTitle(qtext); break;
    case ControlKind::GroupBox: static_cast<QGroupBox*>(widget_.data())->setTitle(qtext); break;
    case ControlKind::Label: static_cast<QLabel*>(widget_.data())->setText(qtext); break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: static_cast<QAbstractButton*>(widget_.data())->setText(qtext); break;
    case ControlKind::Edit: {
      const QSignalBlocker blocker(widget_.data());
      static_cast<QLineEdit*>(widget_.data())->setText(qtext);
      break;
    }
    case ControlKind::Memo: static_cast<QPlainTextEdit*>(widget_.data())->setPlainText(MemoText(text)); break;
    case ControlKind::PictureButton:
    case ControlKind::Canvas: widget_->setAccessibleName(qtext); break;
    case ControlKind::ComboBox:  // the element selects by SetSelection
    case ControlKind::DatePicker: break;
  }
}

void QtControl::SetItems(const std::vector<std::string>& items) {
  if (!widget_ || kind_ != ControlKind::ComboBox) return;
  auto* combo = static_cast<QComboBox*>(widget_.data());
  const QSignalBlocker blocker(combo);
  combo->clear();
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.append(ToQString(item));
  combo->addItems(list);
  combo->setCurrentIndex(-1);
}

void QtControl::SetSelection(int32_t index) {
  if (!widget_ || kind_ != ControlKind::ComboBox) return;
  auto* combo = static_cast<QComboBox*>(widget_.data());
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void QtControl::SetChecked(bool checked) {
  if (!widget_) return;
  if (kind_ == ControlKind::CheckBox) {
    const QSignalBlocker blocker(widget_.data());
    static_cast<QCheckBox*>(widget_.data())->setChecked(checked);
  } else if (kind_ == ControlKind::RadioButton) {
    auto* radio = static_cast<QRadioButton*>(widget_.data());
    const QSignalBlocker blocker(radio);
    if (checked) {
      radio->setChecked(true);  // unchecks its siblings, as a click would
    } else {
      // Qt refuses to uncheck the checked button of an exclusive set; Windows does not.
      radio->setAutoExclusive(false);
      radio->setChecked(false);
      radio->setAutoExclusive(true);
    }
  }
}

void QtControl::SetDateTime(const CalendarTime& value) {
  if (!widget_ || kind_ != ControlKind::DatePicker) return;
  const std::optional<QDateTime> converted = ToQDateTime(value);
  if (!converted) return;
  const QSignalBlocker blocker(widget_.data());
  static_cast<QDateTimeEdit*>(widget_.data())->setDateTime(*converted);
  FitPickerText();
}

void QtControl::SetDatePickerStyle(const DatePickerStyle& style) {
  if (!widget_ || kind_ != ControlKind::DatePicker) return;
  auto* picker = static_cast<QDateTimeEdit*>(widget_.data());
  const QSignalBlocker blocker(picker);
  calendar_popup_ = !style.up_down && !style.time_format;
  picker->setDisplayFormat(style.time_format ? TimeFormat() : DateFormat(style.long_date));
  picker->setCalendarPopup(calendar_popup_);
  FitPickerText();
  if (!calendar_popup_) return;
  WatchCalendarPopup();
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

void QtControl::SetScrollBars(int32_t bars) {
  if (!widget_ || kind_ != ControlKind::Memo) return;
  auto* memo = static_cast<QPlainTextEdit*>(widget_.data());
  const bool horizontal = bars == 1 || bars == 3;
  const bool vertical = bars == 2 || bars == 3;
  memo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // A memo with a horizontal scroll bar keeps its lines whole, as on Windows.
  memo->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void QtControl::SetBorderStyle(int32_t style) {
  if (!widget_ || !IsForm() || style < 0 || style > 7) return;
  border_style_ = style;
  const bool visible = widget_->isVisible();
  const QPoint at = widget_->pos();
  widget_->setWindowFlags(FlagsFor(style, widget_->parentWidget() != nullptr));  // hides the window
  widget_->move(at);
  ResizeClient(widget_->size());
  if (visible) widget_->show();
}

void QtControl::SetIcon(const Picture& icon) {
  if (!widget_ || !IsForm()) return;
  const QImage image = ToQImage(icon);
  if (image.isNull()) {
    // No usable picture: the window shows the application's icon, the main window's.
    widget_->setWindowIcon(QApplication::windowIcon());
    return;
  }
  const QIcon qicon(QPixmap::fromImage(image));
  widget_->setWindowIcon(qicon);
  // The first window without an owner gives the application its icon, which the
  // windows without an icon of their own show.
  if (!widget_->parentWidget() && QApplication::windowIcon().isNull()) QApplication::setWindowIcon(qicon);
}

void QtControl::SetOpacity(uint8_t alpha) {
  if (widget_ && IsForm()) widget_->setWindowOpacity(alpha / 255.0);
}

void QtControl::SetClientSize(Size size) {
  if (!widget_) return;
  const QSize qsize(std::max(0, size.width), std::max(0, size.height));
  if (IsForm()) {
    ResizeClient(qsize);
  } else {
    widget_->resize(qsize);
  }
}

void QtControl::Activate() {
  if (!widget_) return;
  QWidget* window = widget_->window();
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
}

void QtControl::ShowMinimized() {
  // Minimising through here is the element's own doing and is not reported back.
  if (widget_ && IsForm()) widget_->showMinimized();
}

void QtControl::BeginDragMove() {
  if (!widget_) return;
  if (QWindow* handle = widget_->window()->windowHandle()) handle->startSystemMove();
}

Point QtControl::ToControl(const QPointF& global) const {
  const QPoint local = widget_->mapFromGlobal(global.toPoint());
  return {local.x(), local.y()};
}

bool QtControl::eventFilter(QObject* watched, QEvent* event) {
  if (!widget_) return false;
  if (watched == widget_.data() && event->type() == QEvent::Paint && kind_ == ControlKind::GroupBox) {
    PaintGroupBox();
    return true;
  }
  if (!events_) {
    // Nobody to ask: a form still does not close by itself.
    if (watched == widget_.data() && IsForm() && event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    return false;
  }
  if (watched == calendar_window_.data()) {
    if (event->type() == QEvent::Hide && calendar_popup_) {
      const CalendarTime value = ToCalendarTime(static_cast<QDateTimeEdit*>(widget_.data())->dateTime());
      ReportScope scope;
      events_->DateTimeChanged(value);
    }
    return false;
  }
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return FilterKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: return FilterMouse(watched, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel: return FilterWheel(watched, static_cast<QWheelEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut: return FilterFocus(watched, static_cast<QFocusEvent*>(event));
    case QEvent::Paint:
      if (watched != widget_.data() || !IsPainted()) return false;
      Paint();
      return true;
    case QEvent::Leave:
      if (watched == widget_.data() && IsPainted()) ReportPointerLeft();
      return false;
    default:
      if (watched == widget_.data() && IsForm()) return FilterFormEvent(event);
      return false;
  }
}

bool QtControl::FilterKey(QObject* watched, QKeyEvent* event) {
  const InputSignature input{
      event->type(), event->timestamp(), event->key() ^ static_cast<int>(event->nativeScanCode() << 20), {}};
  if (AlreadyReported(watched, input)) return false;
  RememberReported(watched, input);
  const int32_t vk =
      VirtualKeyOf(event->key(), event->modifiers().testFlag(Qt::KeypadModifier), event->nativeScanCode());
  QPointer<QtControl> self(this);
  if (event->type() == QEvent::KeyRelease) {
    // Held keys repeat their key-down only, as on Windows.
    if (!event->isAutoRepeat() && vk != 0) {
      ReportScope scope;
      events_->KeyUp(vk);
    }
    return false;
  }
  if (vk != 0) {
    ReportScope scope;
    events_->KeyDown(vk);
  }
  // Alt with a key is a menu command on Windows, not a character.
  if (event->modifiers().testFlag(Qt::AltModifier)) return false;
  for (char32_t code : event->text().toUcs4()) {
    if (!self || !events_) return true;
    if (code == 0x7F) continue;  // Delete has no character on Windows
    const std::string character = FromQString(QString::fromUcs4(&code, 1));
    ReportScope scope;
    events_->Char(character);
  }
  return !self;
}

bool QtControl::FilterMouse(QObject* watched, QMouseEvent* event) {
  if (PassesMouse() || !IsEnabled(watched)) return false;
  const InputSignature input{
      event->type(), event->timestamp(),
      static_cast<int>(QFlags(event->button()).toInt() | (event->buttons().toInt() << 8)),
      event->globalPosition()};
  if (AlreadyReported(watched, input)) return false;
  RememberReported(watched, input);
  const Point at = ToControl(event->globalPosition());
  const bool consume = IsPainted();
  QPointer<QtControl> self(this);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (auto button = ToMouseButton(event->button())) {
        if (kind_ == ControlKind::PictureButton && *button == MouseButton::Left) left_pressed_ = true;
        ReportScope scope;
        events_->MouseDown(*button, at);
      }
      break;
    case QEvent::MouseButtonRelease:
      if (auto button = ToMouseButton(event->button())) {
        const bool click = kind_ == ControlKind::PictureButton && *button == MouseButton::Left &&
                           left_pressed_ && widget_->rect().contains(at.x, at.y);
        if (*button == MouseButton::Left) left_pressed_ = false;
        {
          ReportScope scope;
          events_->MouseUp(*button, at);
        }
        if (click && self && events_) {
          ReportScope scope;
          events_->Clicked();
        }
      }
      break;
    default: {
      ReportScope scope;
      events_->MouseMove(HeldButton(event->buttons()), at);
      break;
    }
  }
  return consume || !self;
}

bool QtControl::FilterWheel(QObject* watched, QWheelEvent* event) {
  if (PassesMouse() || !IsEnabled(watched)) return false;
  const int delta = event->angleDelta().y();
  const InputSignature input{event->type(), event->timestamp(), delta, event->globalPosition()};
  if (AlreadyReported(watched, input)) return false;
  RememberReported(watched, input);
  if (delta == 0) return false;  // a sideways wheel has a message of its own on Windows
  const bool consume = IsPainted();
  QPointer<QtControl> self(this);
  {
    ReportScope scope;
    events_->Wheel(delta);
  }
  return consume || !self;
}

bool QtControl::FilterFocus(QObject* /*watched*/, QFocusEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (has_focus_) return false;
    has_focus_ = true;
    ReportScope scope;
    events_->FocusIn();
    return false;
  }
  // A drop-down list keeps the focus on Windows while it is open; and moving between
  // the inner widgets of one control is no change for the element.
  if (event->reason() == Qt::PopupFocusReason) return false;
  QWidget* now = QApplication::focusWidget();
  if (event->reason() != Qt::ActiveWindowFocusReason && now && (now == widget_ || widget_->isAncestorOf(now)))
    return false;
  if (!has_focus_) return false;
  has_focus_ = false;
  ReportScope scope;
  events_->FocusOut();
  return false;
}

bool QtControl::FilterFormEvent(QEvent* event) {
  ReportScope scope;
  switch (event->type()) {
    case QEvent::Close:
      // The element decides whether the window closes.
      event->ignore();
      events_->CloseRequested();
      return true;
    case QEvent::WindowStateChange: {
      const auto* change = static_cast<QWindowStateChangeEvent*>(event);
      const bool minimised = widget_->windowState().testFlag(Qt::WindowMinimized);
      if (event->spontaneous() && minimised && !change->oldState().testFlag(Qt::WindowMinimized))
        events_->MinimizeRequested();
      return false;
    }
    case QEvent::WindowActivate: events_->Activated(true); return false;
    case QEvent::WindowDeactivate: events_->Activated(false); return false;
    case QEvent::Show:
      if (!event->spontaneous()) events_->Shown();
      return false;
    default: return false;
  }
}

void QtControl::Paint() {
  QPainter painter(widget_.data());
  QtPainter adapter(painter, widget_->palette());
  ReportScope scope;
  events_->Paint(adapter);
}

void QtControl::PaintGroupBox() {
  // The Windows group frame: an etched line whose top runs through the middle of the
  // caption, which stands on it near the left. Controls are laid out for this frame;
  // a styled frame below a caption line would run through them.
  auto* group = static_cast<QGroupBox*>(widget_.data());
  QPainter painter(group);
  const QPalette& palette = group->palette();
  const QFontMetrics metrics(group->font());
  const int top = metrics.height() / 2;
  const int width = group->width();
  const int height = group->height();
  if (width < 2 || height - top < 2) return;
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawRect(0, top, width - 2, height - top - 2);
  painter.setPen(palette.color(QPalette::Light));
  painter.drawRect(1, top + 1, width - 2, height - top - 2);
  const QString title = group->title();
  if (title.isEmpty()) return;
  constexpr int kCaptionLeft = 8;
  const QRect text_rect = metrics.boundingRect(QRect(kCaptionLeft, 0, width, metrics.height()),
                                               Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, title);
  painter.fillRect(text_rect.adjusted(-1, 0, 1, 0), palette.color(QPalette::Window));
  painter.setPen(
      palette.color(group->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, title);
}

void QtControl::ReportPointerLeft() {
  // Windows keeps sending moves to a control that captured the mouse; elements that
  // light up under the pointer learn from a move outside that it has gone.
  Point at = ToControl(QCursor::pos());
  if (widget_->rect().contains(at.x, at.y)) at = {-1, -1};
  ReportScope scope;
  events_->MouseMove(HeldButton(QGuiApplication::mouseButtons()), at);
}

}  // namespace lumi::platform::qt_backend
