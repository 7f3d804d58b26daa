// What the user does to a control, turned into the calls the element hears: keys,
// characters, mouse, wheel and focus, each reported once however Qt passes it on.
#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <optional>

#include "platform/qt/qt_control.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/report_scope.h"

namespace lumi::platform::qt_backend {

namespace {

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

}  // namespace

Point QtControl::ToControl(const QPointF& global) const {
  const QPoint local = widget_->mapFromGlobal(global.toPoint());
  return {local.x(), local.y()};
}

bool QtControl::eventFilter(QObject* watched, QEvent* event) {
  if (!widget_) return false;
  if (watched == widget_.data() && event->type() == QEvent::Show) TakeDeferred();
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

void QtControl::ReportPointerLeft() {
  // Windows keeps sending moves to a control that captured the mouse; elements that
  // light up under the pointer learn from a move outside that it has gone.
  Point at = ToControl(QCursor::pos());
  if (widget_->rect().contains(at.x, at.y)) at = {-1, -1};
  ReportScope scope;
  events_->MouseMove(HeldButton(QGuiApplication::mouseButtons()), at);
}

}  // namespace lumi::platform::qt_backend
