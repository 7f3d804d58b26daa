// The parts of a control that only a form has: its frame and flags, its size, its
// icon, and what the window system does to it (activation, minimising, moving).
#include <QApplication>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "platform/qt/qt_control.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/report_scope.h"
#include "platform/qt/x11_probe.h"

namespace lumi::platform::qt_backend {

namespace {

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

}  // namespace

QWidget* QtControl::CreateForm(QWidget* parent) {
  // An owned form is a transient window of its owner: it stays above it and has no
  // taskbar entry of its own (SetVisible).
  auto* widget = new QWidget(parent ? parent->window() : nullptr, FlagsFor(border_style_, parent != nullptr));
  widget->setAttribute(Qt::WA_QuitOnClose, false);
  if (!parent && !MainForm()) MainForm() = widget;
  return widget;
}

QPointer<QWidget>& QtControl::MainForm() {
  // The first form without an owner that is still there: the application's main
  // window, whose font the popup menus and tooltips take.
  static QPointer<QWidget> main_form;
  return main_form;
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

}  // namespace lumi::platform::qt_backend
