#include "client/window/user_dlg.h"

#include "client/window/resource_address.h"

namespace orvinta::window {

CUserDlg::CUserDlg(platform::HtmlViewFactory& views, const PortalConfig& portal, std::function<void()> onLoaded)
    : portal_(portal),
      onLoaded_(std::move(onLoaded)),
      view_(views.Create(platform::HtmlViewRole::UserList)),
      page_(*view_, "\n") {
  view_->SetListener(this);
}

CUserDlg::~CUserDlg() { view_->SetListener(nullptr); }

void CUserDlg::Start() { view_->Navigate(ResourceAddress(portal_, kMemberListPage)); }

void CUserDlg::OnDocumentComplete(platform::FrameHandle frame) {
  if (page_.IsLoaded() || !latch_.TakeIfKept(frame)) return;  // the flag never turns off again
  page_.MarkLoaded();
  if (onLoaded_) onLoaded_();
}

}  // namespace orvinta::window
