// Tests of real sockets, processes and pages run Qt's event loop between
// steps; they never need a screen. Pages (and clients these tests start) run
// without the GPU, and without Chromium's sandbox when the tests run as root.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "tests/listing_only.h"

int main(int argc, char** argv) {
  if (int listed = 0; orvinta::testing_support::ListedOnly(argc, argv, listed)) return listed;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
