#pragma once
// The main window's widgets as plain state: a tab list, a title line, the
// toolbar's last state and counters of window actions.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_host.h"

namespace orvinta::fakes {

class FakeWindowHost final : public platform::WindowHost {
 public:
  struct Tab {
    std::string text;
    int image = 0;
  };

  void InsertTab(const std::string& text) override { tabs.push_back({text, 0}); }
  void DeleteTab(int index) override {
    if (index < 0 || index >= TabCount()) return;
    tabs.erase(tabs.begin() + index);
    // As a tab control does: the selection is lost when its tab goes.
    if (selected == index) selected = -1;
    else if (selected > index) --selected;
  }
  void SelectTab(int index) override { selected = index >= 0 && index < TabCount() ? index : -1; }
  int SelectedTab() const override { return selected; }
  int TabCount() const override { return static_cast<int>(tabs.size()); }
  void SetTabImage(int index, int image) override {
    if (index >= 0 && index < TabCount()) tabs[index].image = image;
  }
  void FocusTabStrip() override { ++tabFocus; }
  void RepaintTabArea() override { ++tabRepaints; }
  void SetTitleText(const std::string& text) override { title = text; }
  void PlaceView(platform::HtmlViewRole, platform::HtmlView& view) override { placed.push_back(&view); }
  void ReleaseView(platform::HtmlView& view) override {
    placed.erase(std::remove(placed.begin(), placed.end(), &view), placed.end());
  }
  void PlaceMemberList(platform::MemberListView& view) override { memberList = &view; }
  void ShowToolbarState(const platform::ToolbarState& state) override {
    toolbar = state;
    ++toolbarShown;
  }
  void SelectStatus(int index) override { status = index; }
  void FlashOnce() override { ++flashes; }
  void Restore() override {
    minimised = false;
    ++restores;
  }
  void BringToForeground() override { ++foregrounds; }
  bool IsMinimised() const override { return minimised; }
  platform::WindowRect GetWindowRect() const override { return rect; }
  platform::WindowRect GetNormalRect() const override { return normalRect.value_or(rect); }
  std::vector<platform::WindowRect> ScreenRects() const override { return screens; }
  void MoveWindow(const platform::WindowRect& r) override { rect = r; }
  void ResizeWindow(int width, int height) override {
    rect.width = width;
    rect.height = height;
  }
  void CloseWindow() override { ++closes; }

  std::vector<Tab> tabs;
  int selected = -1;
  std::string title;
  std::vector<platform::HtmlView*> placed;
  platform::MemberListView* memberList = nullptr;
  platform::ToolbarState toolbar;
  int toolbarShown = 0;
  int status = -1;
  int tabFocus = 0, tabRepaints = 0, flashes = 0, restores = 0, foregrounds = 0, closes = 0;
  bool minimised = false;
  platform::WindowRect rect{10, 20, 300, 200};
  std::optional<platform::WindowRect> normalRect;  // set while "maximised"
  std::vector<platform::WindowRect> screens;
};

}  // namespace orvinta::fakes
