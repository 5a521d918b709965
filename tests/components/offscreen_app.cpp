// One QApplication on the offscreen platform for every widget test.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class OffscreenApplication : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "input_widgets_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] testing::Environment* const kOffscreen = testing::AddGlobalTestEnvironment(new OffscreenApplication);

}  // namespace
