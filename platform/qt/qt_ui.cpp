#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QSpacerItem>
#include <QStyleFactory>
#include <QSystemTrayIcon>
#include <cstdio>

#include "platform/message_line.h"
#include "platform/qt/qt_control.h"
#include "platform/qt/qt_convert.h"
#include "runtime/cp1251.h"

namespace lumi::platform::qt_backend {
namespace {

class WindowsLikeStyle final : public QProxyStyle {
 public:
  explicit WindowsLikeStyle(QStyle* base) : QProxyStyle(base) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    // A drop-down list opens below its field instead of over it.
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

QtUi::QtUi() {
  QApplication::setQuitOnLastWindowClosed(false);
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(new WindowsLikeStyle(fusion));
  }
}

QtUi::~QtUi() { QtControl::DeleteDoomedWidgets(); }

std::unique_ptr<Control> QtUi::Create(ControlKind kind, Control* parent, ControlEvents* events) {
  QWidget* parent_widget = nullptr;
  if (auto* qt_parent = dynamic_cast<QtControl*>(parent)) parent_widget = qt_parent->Widget();
  return std::make_unique<QtControl>(kind, parent_widget, events);
}

Size QtUi::ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize size = screen->geometry().size();
  return {size.width(), size.height()};
}

Control* QtUi::ActiveForm() {
  QtControl* control = QtControl::FromWidget(QApplication::activeWindow());
  return control && control->Kind() == ControlKind::Form ? control : nullptr;
}

void QtUi::MessageBox(const std::string& text, const std::string& caption) {
  if (message_box_open_) {
    WriteMessageLine(cp1251::ToUtf8(caption) + ": " + cp1251::ToUtf8(text));
    return;
  }
  message_box_open_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{message_box_open_};
  // Over the active window, which may go away while the box is open (a timer closes
  // it): the box then goes with it and the modal loop returns, so the box lives on
  // the heap and is deleted here only when it is still there.
  QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, ToQString(caption), ToQString(text),
                                              QMessageBox::Ok, QApplication::activeWindow());
  box->setTextFormat(Qt::PlainText);
  // The box sizes itself by its text; a short text would cut the caption.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(CaptionWidth(box->windowTitle(), box->font()), 0, QSizePolicy::Fixed,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box->exec();
  delete box.data();
}

int QtUi::CaptionWidth(const QString& caption, const QFont& font) {
  QFont title = font;
  title.setBold(true);
  if (title.pixelSize() > 0) {
    title.setPixelSize(title.pixelSize() * 5 / 4);
  } else {
    title.setPointSizeF(title.pointSizeF() * 1.25);
  }
  constexpr int kIconAndButtons = 4 * 24;
  constexpr int kMargins = 32;
  return QFontMetrics(title).horizontalAdvance(caption) + kIconAndButtons + kMargins;
}

bool QtUi::HasTray() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtUi::ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) {
  if (!HasTray()) return;
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    // Queued: on X11 the signal comes from inside the mouse handler of the icon's
    // window, which HideTrayIcon destroys.
    QObject::connect(
        tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) { ReportTray(reason); }, Qt::QueuedConnection);
  }
  tray_events_ = events;
  const QImage image = ToQImage(icon);
  tray_->setIcon(image.isNull() ? QApplication::windowIcon() : QIcon(QPixmap::fromImage(image)));
  tray_->setToolTip(ToQString(tip));
  tray_->show();
}

void QtUi::HideTrayIcon() {
  tray_events_ = nullptr;
  if (tray_) tray_->hide();
}

void QtUi::ReportTray(int reason) {
  // The desktop reports clicks, not button movements: each click becomes the
  // messages Windows sends for it. Pointer moves over the icon are not reported.
  std::vector<TrayMouse> messages;
  switch (reason) {
    case QSystemTrayIcon::Trigger: messages = {TrayMouse::LeftDown, TrayMouse::LeftUp}; break;
    case QSystemTrayIcon::Context: messages = {TrayMouse::RightDown, TrayMouse::RightUp}; break;
    case QSystemTrayIcon::DoubleClick: messages = {TrayMouse::LeftDouble}; break;
    default: break;
  }
  for (TrayMouse message : messages) {
    if (!tray_events_) return;
    tray_events_->TrayMouseMessage(message);
  }
}

int32_t QtUi::PopupMenu(const std::vector<MenuItem>& items) {
  if (items.empty()) return -1;
  QMenu menu;
  std::vector<QAction*> actions;
  actions.reserve(items.size());
  for (const MenuItem& item : items) {
    if (item.separator) {
      actions.push_back(menu.addSeparator());
      continue;
    }
    const QImage picture = ToQImage(item.picture);
    actions.push_back(picture.isNull()
                          ? menu.addAction(ToQString(item.text))
                          : menu.addAction(QIcon(QPixmap::fromImage(picture)), ToQString(item.text)));
  }
  QAction* chosen = menu.exec(QCursor::pos());
  for (size_t i = 0; i < actions.size(); ++i) {
    if (chosen && actions[i] == chosen) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace lumi::platform::qt_backend
