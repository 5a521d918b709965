#pragma once
// The main window's widgets: the navigation bar, the room tab strip, the
// title line, the transcript views, the right-hand pane and the status bar.
// User actions go to the window logic through the hooks; the logic drives the
// widgets through the WindowHost port.
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "client/components/input/chat_input_edit.h"
#include "client/components/input/compose_toolbar.h"
#include "client/components/main_window_slots.h"
#include "platform/input_line.h"
#include "platform/window_host.h"

namespace orvinta::components {

class CResizeHelper;
class CRoomTabCtrl;
class QtSettingsStore;

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
  ~MainWindow() override;
  void SetHooks(MainWindowHooks hooks) { hooks_ = std::move(hooks); }
  // A right click on the status area asks for the status menu at this screen point.
  void SetStatusMenuHook(std::function<void(QPoint)> hook) { statusMenuHook_ = std::move(hook); }
  ComposeToolbar& Toolbar() { return *toolbar_; }
  CChatInputEdit& Input() { return *input_; }
  platform::InputLine& InputLine() { return inputLine_; }
  CRoomTabCtrl& Tabs() { return *tabs_; }
  // The colour pickers' custom colours are kept in orvinta.conf beside
  // Orvinta.cfg; without a place for it they last until the program ends.
  void KeepCustomColoursBesideConfig();

  // WindowHost
  void InsertTab(const std::string& text) override;
  void DeleteTab(int index) override;
  void SelectTab(int index) override;
  int SelectedTab() const override;
  int TabCount() const override;
  void SetTabImage(int index, int image) override;
  void FocusTabStrip() override;
  void RepaintTabArea() override;
  void SetTitleText(const std::string& text) override;
  void PlaceView(platform::HtmlViewRole role, platform::HtmlView& view) override;
  void ReleaseView(platform::HtmlView& view) override;
  void PlaceMemberList(platform::MemberListView& view) override;
  // A room's native transcript: laid where the transcripts go, on their anchors, hidden.
  void PlaceTranscript(QWidget* widget);
  void ReleaseTranscript(QWidget* widget);
  // F6 and Shift+F6: the keyboard focus to the next (+1) or previous (-1) of
  // the shown room's transcript, the input line and the member list.
  void MoveBetweenPanes(int direction);
  // The member list shown now, if any.
  QWidget* ShownMemberList() const;
  void ShowToolbarState(const platform::ToolbarState& state) override { toolbar_->ShowState(state); }
  void SelectStatus(int index) override;
  void FlashOnce() override;
  void Restore() override;
  void BringToForeground() override;
  bool IsMinimised() const override { return isMinimized(); }
  platform::WindowRect GetWindowRect() const override;
  platform::WindowRect GetNormalRect() const override;
  std::vector<platform::WindowRect> ScreenRects() const override;
  int EarlierWindows() const override { return earlierWindows_; }
  void SetEarlierWindows(int count) { earlierWindows_ = count; }
  void MoveWindow(const platform::WindowRect& rect) override;
  void ResizeWindow(int width, int height) override { resize(width, height); }
  void CloseWindow() override;

 signals:
  // The window has closed: the program ends with it.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void KeepFrameInWorkArea();
  void BuildStatusRow();
  void BuildBands();
  void BuildInputLine();
  void Place(QWidget* widget, main_layout::Slot slot);
  // A view on the rectangle of its slot (views, pane or navigation bar), following it as the window resizes.
  void Anchor(QWidget* widget, main_layout::Slot slot);
  void ShowTitle();
  // Tab and Shift+Tab walk the controls as they stand on screen, top to bottom.
  void ArrangeTabOrder();
  std::vector<QWidget*> Panes() const;

  MainWindowHooks hooks_;
  std::function<void(QPoint)> statusMenuHook_;
  CRoomTabCtrl* tabs_;
  QLabel* title_;
  std::string titleText_;  // code page 949, as the logic gave it
  // Hidden stand-ins for the places the HTML views take: each view is laid
  // on its stand-in's rectangle and follows the same anchors.
  QWidget* viewArea_;
  QWidget* paneArea_;
  QWidget* navigationArea_;
  QComboBox* status_ = nullptr;
  ComposeToolbar* toolbar_ = nullptr;
  CChatInputEdit* input_ = nullptr;
  InputLineAdapter inputLine_;
  bool closingByProgram_ = false;
  bool shownBefore_ = false;
  int earlierWindows_ = 0;
  std::vector<std::pair<QWidget*, main_layout::Slot>> placed_;  // until the helper takes them
  CResizeHelper* resize_ = nullptr;  // a child object of the window
  std::unique_ptr<QtSettingsStore> customColours_;
  QWidget* endButton_ = nullptr;
  std::vector<QPointer<QWidget>> memberLists_;
};

}  // namespace orvinta::components
