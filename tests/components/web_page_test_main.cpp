// Tests of real Qt WebEngine pages: offscreen, without the GPU, and with the
// program's own res:// pages served as the client serves them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>

#include "client/components/resource_scheme.h"
#include "tests/listing_only.h"

int main(int argc, char** argv) {
  if (int listed = 0; orvinta::testing_support::ListedOnly(argc, argv, listed)) return listed;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  orvinta::components::RegisterResourceScheme();
  QApplication app(argc, argv);
  orvinta::components::InstallResourceScheme();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
