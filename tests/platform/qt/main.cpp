#include <gtest/gtest.h>

#include <QApplication>

// Widgets need a QApplication for the whole run; the offscreen platform keeps the
// tests off any real display, even when run by hand from a desktop.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
