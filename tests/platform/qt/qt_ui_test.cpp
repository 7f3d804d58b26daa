#include "platform/qt/qt_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "runtime/cp1251.h"

namespace lumi::platform::qt_backend {
namespace {

// Acts on the next popup or modal box once it is open.
void WhenOpen(std::function<QWidget*()> find, std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [find, act] {
    QWidget* open = find();
    if (!open) {
      WhenOpen(find, act);  // not yet: look again
      return;
    }
    act(open);
  });
}

std::vector<MenuItem> TrayMenu() {
  const Picture picture{1, 1, {0xFF00FF00}};
  return {{cp1251::FromUtf8("Восстановить"), false, picture},
          {"-", true, {}},
          {cp1251::FromUtf8("О программе..."), false, {}},
          {"-", true, {}},
          {cp1251::FromUtf8("Выход"), false, {}}};
}

TEST(QtUiTest, PopupMenusAnswerTheChosenIndexCountingSeparators) {
  QtUi ui;
  WhenOpen(QApplication::activePopupWidget, [](QWidget* menu) {
    const QList<QAction*> actions = static_cast<QMenu*>(menu)->actions();
    EXPECT_EQ(actions.size(), 5);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[4]->text(), QString::fromUtf8("Выход"));
    EXPECT_FALSE(actions[0]->icon().isNull());
    for (int i = 0; i < 3; ++i) QTest::keyClick(menu, Qt::Key_Down);  // separators are skipped
    QTest::keyClick(menu, Qt::Key_Return);
  });
  EXPECT_EQ(ui.PopupMenu(TrayMenu()), 4);

  WhenOpen(QApplication::activePopupWidget, [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_Escape); });
  EXPECT_EQ(ui.PopupMenu(TrayMenu()), -1);
  EXPECT_EQ(ui.PopupMenu({}), -1);
}

TEST(QtUiTest, MessageBoxesShowTheTextPlainlyAndNeverStack) {
  QtUi ui;
  bool nested_returned = false;
  WhenOpen(QApplication::activeModalWidget, [&](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("String-Debug"));
    // Wide enough for the caption, whose text is short.
    EXPECT_GE(box->width(), QtUi::CaptionWidth(box->windowTitle(), box->font()));
    EXPECT_EQ(box->text(), QString::fromUtf8("Не удалось произвести запись в реестр"));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    // A second box while this one is open is not stacked on it.
    ui.MessageBox("second", "x");
    nested_returned = true;
    box->button(QMessageBox::Ok)->click();
  });
  ui.MessageBox(cp1251::FromUtf8("Не удалось произвести запись в реестр"), "String-Debug");
  EXPECT_TRUE(nested_returned);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // The next box opens again.
  WhenOpen(QApplication::activeModalWidget, [](QWidget* box) { static_cast<QMessageBox*>(box)->accept(); });
  QtMessageBox service(ui);
  service.Show("again", "x");
}

TEST(QtUiTest, ScreenTrayAndActiveForm) {
  QtUi ui;
  const Size screen = ui.ScreenSize();
  EXPECT_GT(screen.width, 0);
  EXPECT_GT(screen.height, 0);
  // The offscreen platform has no notification area; asking for an icon is harmless.
  EXPECT_FALSE(ui.HasTray());
  ui.ShowTrayIcon(Picture{}, "Lumiscope", nullptr);
  ui.HideTrayIcon();
  // Program windows may all be hidden (in the tray) without Qt ending the program.
  EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

  auto form = ui.Create(ControlKind::Form, nullptr, nullptr);  // reports go nowhere
  form->SetVisible(true);
  form->Activate();
  QTRY_COMPARE(ui.ActiveForm(), form.get());
  QLabel stranger;
  stranger.show();
  stranger.activateWindow();
  QTRY_COMPARE(ui.ActiveForm(), nullptr);  // not one of ours
}

}  // namespace
}  // namespace lumi::platform::qt_backend
