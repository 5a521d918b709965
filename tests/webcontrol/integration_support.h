#pragma once
// Shared pieces of the control's integration tests: a temporary directory,
// a member logged in to the real server and sitting in a room, and the
// registry file the module and the host are pointed at.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "platform/cp949.h"
#include "platform/qt/qt_transport.h"
#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/integration/server_process.h"

namespace orvinta::quendel::integration {

using orvinta::integration::ServerProcess;
using orvinta::integration::WaitFor;

// A chat client session that logs in and enters one room.
struct Member {
  Member(std::string id, std::string nickUtf8, std::string icon, std::string server) {
    settings.UserId = std::move(id);
    settings.SessionKey = "key";
    settings.Nick = platform::FromLocalText(nickUtf8);
    settings.IconNo = std::move(icon);
    settings.ServerAddress = std::move(server);
  }
  bool Enter(const std::string& room) {
    session.Connect();
    if (!WaitFor([&] { return window.loggedIn; })) return false;
    session.SendChatIn(room);
    return true;
  }

  LaunchSettings settings;
  fakes::FakeChatWindow window;
  platform::qt::QtTransportFactory transports;
  fakes::FakeMessageBoxes boxes;
  protocol::CZupChatMain session{window, settings, {transports, boxes, nullptr}};
};

// Points the component registry at a file of the test's own.
class RegistryScope {
 public:
  RegistryScope() : path_(dir_.filePath("components.reg").toStdString()) {
    setenv("ORVINTA_COMPONENT_REGISTRY", path_.c_str(), 1);
  }
  ~RegistryScope() { unsetenv("ORVINTA_COMPONENT_REGISTRY"); }
  const std::string& path() const { return path_; }

 private:
  QTemporaryDir dir_;
  std::string path_;
};

}  // namespace orvinta::quendel::integration
