// The ports of the loadable module: Qt's sockets, boxes and process start,
// the host's platform report, and the logic window as a Qt widget.
#include "platform/cp949.h"
#include "platform/qt/host_platform_info.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_transport.h"
#include "webcontrol/client_launch.h"
#include "webcontrol/module_ports.h"
#include "webcontrol/qt/qt_main_dialog_view.h"

namespace orvinta::quendel {

QuendelPorts DefaultModulePorts() {
  static platform::qt::HostPlatformInfo platformInfo;
  static platform::qt::QtMessageBoxes boxes;  // without owner
  static platform::qt::QtShell shell;
  static platform::qt::QtTransportFactory transports;
  static qt::QtMainDialogViewFactory views;
  return QuendelPorts{platformInfo,
                      boxes,
                      shell,
                      transports,
                      views,
                      platform::FromLocalText(ClientProgramDirectory()),
                      protocol::ConnectPolicy{false, transports.UnusableAuthorityFile()}};
}

}  // namespace orvinta::quendel
