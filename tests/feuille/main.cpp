// The sheet is painted with text, which needs a QGuiApplication for the whole run.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
  // Test discovery runs this program at build time too, with no display at hand.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
