// The player's tests need a QApplication; they run under the offscreen platform, also when
// CTest lists them at build time.

#include <QApplication>

#include <gtest/gtest.h>

#include "../maison_isolee.h"

int main(int argc, char **argv) {
  isole_maison();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
