#pragma once
// The Quendel control: its settings from the page, the environment check,
// the portal session cookie, the seven scripting methods, the four events
// and the logic window behind them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "webcontrol/component/connection_point.h"
#include "webcontrol/component/control.h"
#include "webcontrol/component/dispatch_table.h"
#include "webcontrol/main_dialog.h"
#include "webcontrol/quendel_ids.h"
#include "webcontrol/quendel_ports.h"
#include "webcontrol/quendel_settings.h"

namespace orvinta::quendel {

// DISPIDs of the methods, in table order.
enum class MethodId : com::DispId {
  ReqConnectServer = 1,
  ReqAllRoomList = 2,
  ReqRoomUserCount = 3,
  ReqRoomInfo = 4,
  ReqUserInfo = 5,
  EnterRoom = 6,
  EnterPrivateRoom = 7,
};

class CQuendelCtrl final : public com::Control, public ControlEvents {
 public:
  explicit CQuendelCtrl(QuendelPorts ports);
  ~CQuendelCtrl() override;
  CQuendelCtrl(const CQuendelCtrl&) = delete;
  CQuendelCtrl& operator=(const CQuendelCtrl&) = delete;

  // com::Control.
  com::HRESULT GetIdOfName(std::string_view name, com::DispId& id) const override;
  com::HRESULT Invoke(com::DispId id, const std::vector<std::string>& args) override;
  std::vector<com::MemberInfo> Members() const override;
  std::uint32_t Advise(com::EventSink& sink) override { return events_.Advise(sink); }
  void Unadvise(std::uint32_t cookie) override { events_.Unadvise(cookie); }
  com::HRESULT InitNew() override;
  com::HRESULT Load(const com::PropertyBag& bag) override;
  com::HRESULT Save(com::PropertyBag& bag) override;
  void SetClientSite(com::ClientSite* site) override { site_ = site; }
  com::HRESULT CreateControlWindow(com::NativeWindow parent) override;
  void Draw(const com::Rect& bounds) override;

  // The methods, with code page 949 arguments.
  void ReqConnectServer();
  void ReqAllRoomList();
  void ReqRoomUserCount(std::string_view roomId);
  void ReqRoomInfo(std::string_view roomId);
  void ReqUserInfo(std::string_view userId);
  void EnterRoom(std::string_view roomId, std::string_view roomTitle, std::string_view autoEnter);
  void EnterPrivateRoom(std::string_view peerId, std::string_view peerNick, std::string_view autoEnter);

  // ControlEvents: raised by the logic window, code page 949 arguments.
  void FireResConnectServer(std::string_view result) override;
  void FireResRoomInfo(std::string_view roomId, std::string_view userId) override;
  void FireResUserInfo(std::string_view userId, std::string_view nick, std::string_view iconUrl) override;

  const QuendelSettings& Settings() const { return settings_; }
  const std::string& SessionValue() const { return sessionValue_; }
  std::uint16_t VersionWord() const { return versionWord_; }
  bool HasLogicWindow() const { return mainDialog_.HasWindow(); }
  CMainDialog& MainDialog() { return mainDialog_; }

 private:
  enum class Guard { LogicWindow, LogicWindowThenEnvironment, Environment };
  bool Passes(Guard guard);
  bool EnvironmentCheck();
  void Exchange(const com::PropertyBag* source);
  void BuildDispatchTable();
  void Fire(EventId id, std::initializer_list<std::string_view> values);
  void StartClient(const std::array<std::string, 12>& fields);

  QuendelPorts ports_;
  CMainDialog mainDialog_;
  QuendelSettings settings_;
  std::uint16_t versionWord_ = 0;
  com::ClientSite* site_ = nullptr;
  com::WebBrowser* browser_ = nullptr;
  std::string sessionValue_;
  com::DispatchTable dispatch_;
  com::ConnectionPoint events_;
};

}  // namespace orvinta::quendel
