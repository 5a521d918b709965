#pragma once
// The main window's widgets: the navigation bar, the room tab strip, the
// title line, the transcript views, the right-hand pane and the status bar.
// User actions go to the window logic through the hooks; the logic drives the
// widgets through the WindowHost port.
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>
#include <functional>

#include "client/components/input/chat_input_edit.h"
#include "client/components/input/compose_toolbar.h"
#include "platform/input_line.h"
#include "platform/window_host.h"

namespace orvinta::components {

struct MainWindowHooks {
  std::function<void(int)> tabSelected;      // the user chose a tab
  std::function<void(int)> tabCloseClicked;  // the close mark of a tab
  std::function<void()> connectClicked;      // button 1017
  std::function<void(int)> statusChosen;     // the own-status combo
  std::function<bool()> closeRequested;      // the window's close box: true lets it close
  std::function<void(bool)> minimisedChanged;
};

// The input line as the window logic drives it.
class InputLineAdapter final : public platform::InputLine {
 public:
  explicit InputLineAdapter(CChatInputEdit& edit) : edit_(edit) {}
  std::string Content() const override { return edit_.GetTextWithCodes(); }
  void Clear() override { edit_.ClearText(); }
  void SetDefaultFormat(int size, std::uint32_t colour, int style, int face) override {
    edit_.SetDefaultFormat(size, colour, style, face);
  }
  void ReplaceSelection(const std::string& text) override { edit_.ReplaceSelection(text); }
  void InsertText(const std::string& text) override { edit_.InsertText(text); }
  void Focus() override { edit_.setFocus(); }
  void Repaint() override { edit_.viewport()->update(); }

 private:
  CChatInputEdit& edit_;
};

class MainWindow final : public QWidget, public platform::WindowHost {
  Q_OBJECT
 public:
  MainWindow();
  void SetHooks(MainWindowHooks hooks) { hooks_ = std::move(hooks); }
  ComposeToolbar& Toolbar() { return *toolbar_; }
  CChatInputEdit& Input() { return *input_; }
  platform::InputLine& InputLine() { return inputLine_; }

  // WindowHost
  void InsertTab(const std::string& text) override;
  void DeleteTab(int index) override;
  void SelectTab(int index) override;
  int SelectedTab() const override { return tabs_->currentIndex(); }
  int TabCount() const override { return tabs_->count(); }
  void SetTabImage(int index, int image) override;
  void FocusTabStrip() override { tabs_->setFocus(); }
  void RepaintTabArea() override { tabs_->update(); }
  void SetTitleText(const std::string& text) override;
  void PlaceView(platform::HtmlViewRole role, platform::HtmlView& view) override;
  void ReleaseView(platform::HtmlView& view) override;
  void ShowToolbarState(const platform::ToolbarState& state) override { toolbar_->ShowState(state); }
  void SelectStatus(int index) override;
  void FlashOnce() override;
  void Restore() override;
  void BringToForeground() override;
  bool IsMinimised() const override { return isMinimized(); }
  platform::WindowRect GetWindowRect() const override;
  void MoveWindow(const platform::WindowRect& rect) override;
  void ResizeWindow(int width, int height) override { resize(width, height); }
  void CloseWindow() override;

 signals:
  // The window has closed: the program ends with it.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QWidget* BuildStatusBar();
  QWidget* BuildComposer();
  QWidget* BuildInputFrame();

  MainWindowHooks hooks_;
  QTabBar* tabs_;
  QLabel* title_;
  QGridLayout* viewArea_;   // every transcript in one cell; only the current one shows
  QGridLayout* rightPane_;  // member list or welcome page
  QGridLayout* topBar_;     // the navigation bar
  QComboBox* status_ = nullptr;
  ComposeToolbar* toolbar_ = nullptr;
  CChatInputEdit* input_ = nullptr;
  InputLineAdapter inputLine_;
  bool closingByProgram_ = false;
};

}  // namespace orvinta::components
