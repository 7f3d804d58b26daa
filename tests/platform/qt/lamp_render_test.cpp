// The real lamp element drawn by the Qt backend: what a person sees on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "elements/window/led.h"
#include "platform/qt/qt_control.h"
#include "platform/qt/qt_ui.h"
#include "platform/services.h"
#include "runtime/event.h"

namespace lumi {
namespace {

class LampRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Current().ui = &ui;
    EnableDispatchers();
    form.Width = 40;
    form.Height = 40;
    form.Init();
    lamp.Left = 10;
    lamp.Top = 10;
    lamp.Width = lamp.Height = 15;
    lamp.ColorOn = 255;
    lamp.ColorOff = 128;
    lamp.ColorLight = 0xFFFFFF;
    lamp.Relief = true;
    lamp.Init();
  }
  void TearDown() override {
    DisableDispatchers();
    platform::ResetServices();
  }

  QRgb Centre() {
    QApplication::processEvents();
    auto& control = static_cast<platform::qt_backend::QtControl&>(*lamp.PlatformControl());
    return control.Widget()->grab().toImage().pixel(7, 7);
  }

  platform::qt_backend::QtUi ui;
  TElWin form{platform::ControlKind::Form, nullptr};
  TElLED lamp{&form};
};

TEST_F(LampRenderTest, CentreIsPureRedWhenLitAndDarkRedWhenNot) {
  EXPECT_EQ(Centre(), qRgb(128, 0, 0));
  TData d;
  lamp.On(d, 0);
  EXPECT_EQ(Centre(), qRgb(255, 0, 0));
  lamp.Off(d, 0);
  EXPECT_EQ(Centre(), qRgb(128, 0, 0));
}

}  // namespace
}  // namespace lumi
