// Runs a GoogleTest suite inside a QApplication, for tests of widgets and of
// anything that needs an event loop.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
