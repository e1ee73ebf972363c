// The Qt preview test's main: the QApplication, and the report engine's painting stopped
// before it goes.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/report/report.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  QApplication app(argc, argv);
  report::Painting painting(argc, argv);
  return RUN_ALL_TESTS();
}
