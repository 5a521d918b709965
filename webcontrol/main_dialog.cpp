#include "webcontrol/main_dialog.h"

#include "protocol/guarded.h"
#include "text/text_util.h"
#include "webcontrol/avatar_url.h"
#include "webcontrol/module_state.h"

namespace orvinta::quendel {
namespace {

// Drops whole lines from the front until the text fits.
void KeepTail(std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return;
  const std::size_t excess = text.size() - maxBytes;
  const std::size_t lineEnd = text.find('\n', excess);
  text.erase(0, lineEnd == std::string::npos ? text.size() : lineEnd + 1);
}

}  // namespace

CMainDialog::CMainDialog(ControlEvents& control, platform::TransportFactory& transports, MainDialogViewFactory& views,
                         platform::MessageBoxes& boxes, const protocol::ConnectPolicy& policy)
    : control_(control), transports_(transports), views_(views), boxes_(boxes), policy_(policy) {}

CMainDialog::~CMainDialog() {
  Guarded("closing the control's logic window", [&] { Destroy(); });
}

bool CMainDialog::Create(com::NativeWindow parent) {
  view_ = views_.Create(parent, *this);
  if (!view_) return false;
  connected_ = false;
  session_ = std::make_unique<CControlSession>(*this, transports_, this, boxes_);
  return true;
}

void CMainDialog::Destroy() {
  if (session_) {
    if (connected_) session_->Disconnect(true);
    session_.reset();
  }
  connected_ = false;
  view_.reset();
  if (Module().recentLogicWindow == this) Module().recentLogicWindow = nullptr;
}

void CMainDialog::Show() {
  if (view_) view_->Show();
}

void CMainDialog::PlaceOnce(const com::Rect& bounds) {
  if (placed_ || !view_) return;
  view_->MoveWindow(bounds);
  placed_ = true;
}

void CMainDialog::ConnectServer() {
  if (!session_) return;
  if (connected_) session_->Disconnect(false);
  Connect();
}

void CMainDialog::GetAllRoomList() {
  if (session_ && !connected_) Connect();
}

void CMainDialog::Connect() {
  session_->Connect(Module().settings.ServerAddr, PolicyWith(policy_, Module().settings.RequireTls));
}

void CMainDialog::GetRoomUserCount(std::string_view /*roomId*/) {}

void CMainDialog::GetRoomInfo(std::string_view roomId) {
  if (session_ && connected_) session_->SendAskUserInfo(roomId);
}

void CMainDialog::SetConnectStatus(bool connected) {
  connected_ = connected;
  control_.FireResConnectServer(connected ? "true" : "false");
}

void CMainDialog::SetRoomInfo(std::string_view roomId, std::string_view userId) {
  if (connected_) control_.FireResRoomInfo(roomId, userId);
}

void CMainDialog::SetUserInfo(std::string_view userId, std::string_view nick, std::string_view icon) {
  if (connected_) control_.FireResUserInfo(userId, nick, IconUrl(text::ParseLeadingInt(icon), IconSize::Small));
}

bool CMainDialog::IsOn() const { return Module().settings.Debug && view_; }

void CMainDialog::AddLine(const std::string& entry, std::uint32_t /*colour*/) {
  if (!IsOn()) return;
  std::string text = view_->LogText();
  text.append(entry).append("\r\n");
  KeepTail(text, kMaxLogBytes);
  view_->SetLogText(text);
  view_->ScrollLogToEnd();
}

void CMainDialog::OnSize(int width, int height) {
  Guarded("resizing the control's log box", [&] {
    if (view_) view_->MoveLogBox({0, 0, width, height});
  });
}

}  // namespace orvinta::quendel
