#pragma once
// The member-list pane: the native list of the current room's members. A
// button released over a row names that row's member.
#include <functional>
#include <memory>
#include <string>

#include "platform/member_list_view.h"

namespace orvinta::window {

class CUserDlg final : public platform::MemberListListener {
 public:
  // Without a factory the pane shows nothing (a window logic under test that
  // does not look at it).
  explicit CUserDlg(platform::MemberListViewFactory* views);
  ~CUserDlg() override;
  CUserDlg(const CUserDlg&) = delete;
  CUserDlg& operator=(const CUserDlg&) = delete;

  platform::MemberListView& View() { return *view_; }
  void Show(bool visible) { view_->Show(visible); }
  // Runs on every left- and right-button release over the list (the member
  // menu), with the id of the member under the pointer or "".
  void SetButtonUpHandler(std::function<void(const std::string&)> handler) { onButtonUp_ = std::move(handler); }

  void OnMemberButtonUp(const std::string& id) override {
    if (onButtonUp_) onButtonUp_(id);
  }
  // Runs when the keyboard asks for a member's menu, with where it opens.
  void SetMenuKeyHandler(std::function<void(const std::string&, int, int)> handler) { onMenuKey_ = std::move(handler); }
  void OnMemberMenuKey(const std::string& id, int x, int y) override {
    if (onMenuKey_) onMenuKey_(id, x, y);
  }

 private:
  std::function<void(const std::string&)> onButtonUp_;
  std::function<void(const std::string&, int, int)> onMenuKey_;
  std::unique_ptr<platform::MemberListView> view_;
};

}  // namespace orvinta::window
