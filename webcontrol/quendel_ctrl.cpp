#include "webcontrol/quendel_ctrl.h"

#include "platform/cp949.h"
#include "protocol/guarded.h"
#include "protocol/ui_text.h"
#include "text/text_util.h"
#include "webcontrol/client_launch.h"
#include "webcontrol/environment_check.h"
#include "webcontrol/module_state.h"
#include "webcontrol/session_cookie.h"

namespace orvinta::quendel {
namespace {

// The control's version as the property exchange writes it (1.0).
constexpr std::string_view kVersionProperty = "_Version";
constexpr std::string_view kVersionValue = "65536";

std::string FromPage(std::string_view utf8) { return platform::FromLocalText(utf8); }
std::string ToPage(std::string_view cp949) { return platform::Cp949ToUtf8Lossy(cp949); }

}  // namespace

CQuendelCtrl::CQuendelCtrl(QuendelPorts ports)
    : ports_(std::move(ports)), mainDialog_(*this, ports_.transports, ports_.views, ports_.boxes, ports_.connectPolicy) {
  ++Module().liveObjects;
  BuildDispatchTable();
}

CQuendelCtrl::~CQuendelCtrl() {
  Guarded("destroying the control", [&] { mainDialog_.Destroy(); });
  --Module().liveObjects;
}

void CQuendelCtrl::BuildDispatchTable() {
  struct Method {
    MethodId id;
    const char* name;
    std::vector<std::string> params;
    Guard guard;
    void (*call)(CQuendelCtrl& self, const std::vector<std::string>& args);
  };
  const Method methods[] = {
      {MethodId::ReqConnectServer, "ReqConnectServer", {}, Guard::LogicWindow,
       [](CQuendelCtrl& self, const auto&) { self.ReqConnectServer(); }},
      {MethodId::ReqAllRoomList, "ReqAllRoomList", {}, Guard::LogicWindow,
       [](CQuendelCtrl& self, const auto&) { self.ReqAllRoomList(); }},
      {MethodId::ReqRoomUserCount, "ReqRoomUserCount", {"sRoomID"}, Guard::LogicWindowThenEnvironment,
       [](CQuendelCtrl& self, const auto& a) { self.ReqRoomUserCount(FromPage(a[0])); }},
      {MethodId::ReqRoomInfo, "ReqRoomInfo", {"sRoomID"}, Guard::LogicWindowThenEnvironment,
       [](CQuendelCtrl& self, const auto& a) { self.ReqRoomInfo(FromPage(a[0])); }},
      {MethodId::ReqUserInfo, "ReqUserInfo", {"sUserID"}, Guard::LogicWindowThenEnvironment,
       [](CQuendelCtrl& self, const auto& a) { self.ReqUserInfo(FromPage(a[0])); }},
      {MethodId::EnterRoom, "EnterRoom", {"sRoomID", "sRoomTitle", "sAutoEnter"}, Guard::Environment,
       [](CQuendelCtrl& self, const auto& a) { self.EnterRoom(FromPage(a[0]), FromPage(a[1]), FromPage(a[2])); }},
      {MethodId::EnterPrivateRoom, "EnterPrivateRoom", {"sPeerID", "sPeerNick", "sAutoEnter"}, Guard::Environment,
       [](CQuendelCtrl& self, const auto& a) {
         self.EnterPrivateRoom(FromPage(a[0]), FromPage(a[1]), FromPage(a[2]));
       }},
  };
  for (const Method& method : methods) {
    dispatch_.Add({static_cast<com::DispId>(method.id), method.name, method.params},
                  [this, name = method.name, guard = method.guard, call = method.call](
                      const std::vector<std::string>& args) {
                    Guarded(name, [&] {
                      if (Passes(guard)) call(*this, args);
                    });
                  });
  }
}

com::HRESULT CQuendelCtrl::GetIdOfName(std::string_view name, com::DispId& id) const {
  return dispatch_.GetIdOfName(name, id);
}

com::HRESULT CQuendelCtrl::Invoke(com::DispId id, const std::vector<std::string>& args) {
  return dispatch_.Invoke(id, args);
}

std::vector<com::MemberInfo> CQuendelCtrl::Members() const { return dispatch_.Members(); }

bool CQuendelCtrl::EnvironmentCheck() { return RunEnvironmentCheck(ports_.platformInfo, ports_.boxes, versionWord_); }

bool CQuendelCtrl::Passes(Guard guard) {
  switch (guard) {
    case Guard::LogicWindow:
      return mainDialog_.HasWindow();
    case Guard::LogicWindowThenEnvironment:
      return mainDialog_.HasWindow() && EnvironmentCheck();
    case Guard::Environment:
      return EnvironmentCheck();
  }
  return false;
}

void CQuendelCtrl::Exchange(const com::PropertyBag* source) {
  SettingTexts texts;
  if (source) {
    for (const SettingField& field : kSettingFields) {
      if (auto value = source->Read(field.name)) texts.*field.text = FromPage(*value);
    }
  }
  settings_ = DeriveSettings(texts);
  Module().settings = settings_;
}

com::HRESULT CQuendelCtrl::InitNew() {
  return GuardedOr("resetting the control's settings", com::E_FAIL, [&] {
    // The reset exchange supplies no values, so every setting ends at its empty form.
    settings_ = QuendelSettings{};
    settings_.AutoConnect = true;
    Exchange(nullptr);
    return com::S_OK;
  });
}

com::HRESULT CQuendelCtrl::Load(const com::PropertyBag& bag) {
  return GuardedOr("loading the control's settings", com::E_FAIL, [&] {
    Exchange(&bag);
    return com::S_OK;
  });
}

com::HRESULT CQuendelCtrl::Save(com::PropertyBag& bag) {
  return GuardedOr("saving the control's settings", com::E_FAIL, [&] {
    // The switches and the icon are written with their values, so that a saved
    // control loads back as it was.
    const SettingTexts texts = SettingsToTexts(settings_);
    bag.Write(kVersionProperty, kVersionValue);
    for (const SettingField& field : kSettingFields) bag.Write(field.name, ToPage(texts.*field.text));
    settings_ = DeriveSettings(texts);
    Module().settings = settings_;
    return com::S_OK;
  });
}

com::HRESULT CQuendelCtrl::CreateControlWindow(com::NativeWindow parent) {
  return GuardedOr("creating the control window", com::E_FAIL, [&] {
    if (mainDialog_.HasWindow()) return com::S_OK;
    if (!EnvironmentCheck()) return com::E_FAIL;
    browser_ = site_ ? site_->QueryWebBrowser() : nullptr;
    if (!browser_) return com::S_OK;
    const auto cookie = browser_->DocumentCookie();
    sessionValue_ = cookie ? FindCookieValue(FromPage(*cookie), kSessionCookieName) : std::string();
    if (sessionValue_.empty()) return com::S_OK;
    if (!mainDialog_.Create(parent)) return com::S_OK;
    mainDialog_.Show();
    Module().recentLogicWindow = &mainDialog_;
    if (settings_.AutoConnect) mainDialog_.ConnectServer();
    return com::S_OK;
  });
}

void CQuendelCtrl::Draw(const com::Rect& bounds) {
  Guarded("drawing the control", [&] { mainDialog_.PlaceOnce(bounds); });
}

void CQuendelCtrl::ReqConnectServer() { mainDialog_.ConnectServer(); }
void CQuendelCtrl::ReqAllRoomList() { mainDialog_.GetAllRoomList(); }
void CQuendelCtrl::ReqRoomUserCount(std::string_view roomId) { mainDialog_.GetRoomUserCount(text::Trim(roomId)); }
void CQuendelCtrl::ReqRoomInfo(std::string_view roomId) { mainDialog_.GetRoomInfo(text::Trim(roomId)); }
void CQuendelCtrl::ReqUserInfo(std::string_view /*userId*/) {}

void CQuendelCtrl::EnterRoom(std::string_view roomId, std::string_view roomTitle, std::string_view autoEnter) {
  StartClient(RoomLaunchFields(settings_, sessionValue_, roomId, roomTitle, autoEnter));
}

void CQuendelCtrl::EnterPrivateRoom(std::string_view peerId, std::string_view peerNick, std::string_view autoEnter) {
  StartClient(PrivateLaunchFields(settings_, sessionValue_, peerId, peerNick, autoEnter));
}

void CQuendelCtrl::StartClient(const LaunchFields& fields) {
  // The client would try the address the control itself refuses.
  if (const auto refusal =
          protocol::RefusalOf(EndpointOf(fields[1]), PolicyWith(ports_.connectPolicy, settings_.RequireTls))) {
    ports_.boxes.Open(*refusal, std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok, {});
    return;
  }
  // Whether the client started is not examined.
  ports_.shell.OpenProgram(ClientProgramPath(ports_.clientDirectory), JoinLaunchFields(fields));
}

void CQuendelCtrl::Fire(EventId id, std::initializer_list<std::string_view> values) {
  std::vector<std::string> converted;
  for (std::string_view value : values) converted.push_back(ToPage(value));
  events_.Fire(EventInfo(id), std::move(converted));
}

void CQuendelCtrl::FireResConnectServer(std::string_view result) { Fire(EventId::ResConnectServer, {result}); }

void CQuendelCtrl::FireResRoomInfo(std::string_view roomId, std::string_view userId) {
  Fire(EventId::ResRoomInfo, {roomId, userId});
}

void CQuendelCtrl::FireResUserInfo(std::string_view userId, std::string_view nick, std::string_view iconUrl) {
  Fire(EventId::ResUserInfo, {userId, nick, iconUrl});
}

}  // namespace orvinta::quendel
