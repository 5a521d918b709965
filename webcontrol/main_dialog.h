#pragma once
// The control's logic window: owns the session with the chat server, turns
// its reports into the control's events and keeps the traffic log when the
// Debug setting is on.
#include <memory>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "webcontrol/control_session.h"
#include "webcontrol/main_dialog_view.h"

namespace orvinta::quendel {

// The events the logic raises on the control that holds it.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  virtual void FireResConnectServer(std::string_view result) = 0;
  virtual void FireResRoomInfo(std::string_view roomId, std::string_view userId) = 0;
  virtual void FireResUserInfo(std::string_view userId, std::string_view nick, std::string_view iconUrl) = 0;
};

// The log box keeps at most this many bytes, dropping its oldest lines.
inline constexpr std::size_t kMaxLogBytes = 64 * 1024;

class CMainDialog final : public SessionOwner, public platform::TrafficLog, public MainDialogViewListener {
 public:
  // `policy` is what the user's settings refuse; the page's RequireTls adds to it.
  CMainDialog(ControlEvents& control, platform::TransportFactory& transports, MainDialogViewFactory& views,
              platform::MessageBoxes& boxes, const protocol::ConnectPolicy& policy);
  ~CMainDialog() override;
  CMainDialog(const CMainDialog&) = delete;
  CMainDialog& operator=(const CMainDialog&) = delete;

  // Creates the window under `parent` and its session; false when the window cannot be made.
  bool Create(com::NativeWindow parent);
  bool HasWindow() const { return view_ != nullptr; }
  // Ends the window: a connection still open is closed without an event.
  void Destroy();
  void Show();
  // Moves the window onto the control's bounds once, at the first drawing.
  void PlaceOnce(const com::Rect& bounds);

  void ConnectServer();
  void GetAllRoomList();
  void GetRoomUserCount(std::string_view roomId);
  void GetRoomInfo(std::string_view roomId);

  // SessionOwner.
  void SetConnectStatus(bool connected) override;
  void SetRoomInfo(std::string_view roomId, std::string_view userId) override;
  void SetUserInfo(std::string_view userId, std::string_view nick, std::string_view icon) override;

  // TrafficLog: the log box, while the Debug setting is on; each entry ends its line.
  void AddLine(const std::string& entry, std::uint32_t colour) override;
  bool IsOn() const override;

  // MainDialogViewListener.
  void OnSize(int width, int height) override;

  bool IsConnected() const { return connected_; }
  bool IsPlaced() const { return placed_; }
  CControlSession* Session() { return session_.get(); }

 private:
  void Connect();

  ControlEvents& control_;
  platform::TransportFactory& transports_;
  MainDialogViewFactory& views_;
  platform::MessageBoxes& boxes_;
  const protocol::ConnectPolicy& policy_;
  std::unique_ptr<MainDialogView> view_;
  std::unique_ptr<CControlSession> session_;
  bool connected_ = false;
  bool placed_ = false;
};

}  // namespace orvinta::quendel
