#include "client/window/user_dlg.h"

namespace orvinta::window {
namespace {

class NoMemberList final : public platform::MemberListView {
 public:
  void SetListener(platform::MemberListListener*) override {}
  void SetRows(std::vector<platform::MemberRow>) override {}
  void SetCount(std::size_t) override {}
  void Show(bool) override {}
};

}  // namespace

CUserDlg::CUserDlg(platform::MemberListViewFactory* views)
    : view_(views ? views->Create() : std::make_unique<NoMemberList>()) {
  view_->SetListener(this);
}

CUserDlg::~CUserDlg() { view_->SetListener(nullptr); }

}  // namespace orvinta::window
