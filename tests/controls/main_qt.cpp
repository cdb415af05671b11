// The widget tests need a QApplication alive for the whole run; GoogleTest runs inside it.
#include <QApplication>

#include <gtest/gtest.h>

#include "../maison_isolee.h"

int main(int argc, char **argv) {
  isole_maison();
  // Test discovery runs this program at build time too, with no display at hand.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
