#pragma once
// What the control reaches the outside world through.
#include <string>

#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "platform/shell.h"
#include "platform/transport.h"
#include "protocol/connect_policy.h"
#include "webcontrol/main_dialog_view.h"

namespace orvinta::quendel {

struct QuendelPorts {
  const platform::PlatformInfo& platformInfo;
  platform::MessageBoxes& boxes;
  platform::Shell& shell;
  platform::TransportFactory& transports;
  MainDialogViewFactory& views;
  std::string clientDirectory;  // where the chat client program is installed (code page 949)
  protocol::ConnectPolicy connectPolicy = {};  // what the user's settings refuse, whatever the page says
};

}  // namespace orvinta::quendel
