#include "platform/qt/qt_control.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QTextCursor>
#include <QToolTip>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_painter.h"
#include "platform/qt/report_scope.h"
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
  if (ReportScope::Active()) {
    widget_->hide();
    ReportScope::DeleteLater(widget_);
  } else {
    delete widget_.data();
  }
}

void QtControl::DeleteDoomedWidgets() { ReportScope::DeleteNow(); }

QtControl* QtControl::FromWidget(const QWidget* widget) {
  if (!widget) return nullptr;
  const QVariant value = widget->property(kControlProperty);
  return value.isValid() ? reinterpret_cast<QtControl*>(value.value<quintptr>()) : nullptr;
}

void QtControl::CreateWidget(QWidget* parent) {
  QWidget* widget = nullptr;
  switch (kind_) {
    case ControlKind::Form: widget = CreateForm(parent); break;
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
    case ControlKind::DatePicker: widget = CreateDatePicker(parent); break;
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
    PrepareCalendarWhenShown();
    FitPickerTextWhenShown();
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
  if (kind_ == ControlKind::DatePicker) FitPickerTextWhenShown();
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
  if (IsForm() && widget_ == MainForm()) {
    // The popup menus and tooltips speak in the window's font, not the desktop's.
    QApplication::setFont(qfont, "QMenu");
    QToolTip::setFont(qfont);
  }
  if (kind_ == ControlKind::DatePicker) {
    base_font_ = qfont;
    FitPickerTextWhenShown();
  }
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
  // A control nobody sees is painted when it is shown, not before.
  if (widget_ && widget_->isVisible()) widget_->update();
}

void QtControl::SetText(const std::string& text) {
  if (!widget_) return;
  const QString qtext = ToQString(text);
  switch (kind_) {
    case ControlKind::Form: widget_->setWindowTitle(qtext); break;
    case ControlKind::GroupBox: static_cast<QGroupBox*>(widget_.data())->setTitle(qtext); break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: static_cast<QAbstractButton*>(widget_.data())->setText(qtext); break;
    case ControlKind::Label:
    case ControlKind::Edit:
      // The work cycle keeps setting the rows' texts and the panels' fields while the
      // window sits in the tray.
      if (OutOfSight()) {
        deferred_.text = qtext;
        break;
      }
      deferred_.text.reset();
      ApplyText(qtext);
      break;
    case ControlKind::Memo: static_cast<QPlainTextEdit*>(widget_.data())->setPlainText(MemoText(text)); break;
    case ControlKind::PictureButton:
    case ControlKind::Canvas: widget_->setAccessibleName(qtext); break;
    case ControlKind::ComboBox:  // the element selects by SetSelection
    case ControlKind::DatePicker: break;
  }
}

void QtControl::SetItems(const std::vector<std::string>& items) {
  if (!widget_ || kind_ != ControlKind::ComboBox) return;
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.append(ToQString(item));
  // A new list starts with nothing selected.
  if (OutOfSight()) {
    deferred_.items = std::move(list);
    deferred_.selection = -1;
    return;
  }
  ApplyItems(list);
  ApplySelection(-1);
}

void QtControl::SetSelection(int32_t index) {
  if (!widget_ || kind_ != ControlKind::ComboBox) return;
  if (OutOfSight()) {
    deferred_.selection = index;
    return;
  }
  ApplySelection(index);
}

void QtControl::ApplyText(const QString& text) {
  if (kind_ == ControlKind::Edit) {
    auto* edit = static_cast<QLineEdit*>(widget_.data());
    if (edit->text() == text) return;
    const QSignalBlocker blocker(edit);  // the program's own text is no edit of the user's
    edit->setText(text);
    return;
  }
  auto* label = static_cast<QLabel*>(widget_.data());
  if (label->text() != text) label->setText(text);
}

void QtControl::ApplyItems(const QStringList& items) {
  auto* combo = static_cast<QComboBox*>(widget_.data());
  // The same list again (the port list is refilled at every check) keeps its model.
  bool same = combo->count() == items.size();
  for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == items[i];
  if (same) return;
  const QSignalBlocker blocker(combo);
  combo->clear();
  combo->addItems(items);
}

void QtControl::ApplySelection(int index) {
  auto* combo = static_cast<QComboBox*>(widget_.data());
  const int wanted = index >= 0 && index < combo->count() ? index : -1;
  if (combo->currentIndex() == wanted) return;
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(wanted);
}

void QtControl::TakeDeferred() {
  Deferred deferred = std::exchange(deferred_, {});
  if (deferred.items) ApplyItems(*deferred.items);
  if (deferred.selection) ApplySelection(*deferred.selection);
  if (deferred.text) ApplyText(*deferred.text);
  if (deferred.date_time) ApplyDateTime(*deferred.date_time);
  if (deferred.fit) FitPickerText();
  if (deferred.calendar) PrepareCalendar();
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

}  // namespace lumi::platform::qt_backend
