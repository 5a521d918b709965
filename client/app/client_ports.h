#pragma once
// The real adapters of every port the client uses, owned in one place.
#include "client/app/portal_settings.h"
#include "client/components/member_list/member_list_pane.h"
#include "client/components/member_list/status_pictures.h"
#include "client/components/deferred_web_view.h"
#include "platform/qt/host_platform_info.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"

namespace orvinta::app {

struct ClientPorts {
  platform::qt::HostPlatformInfo platform;
  platform::qt::QtMessageBoxes boxes;
  platform::qt::QtSingleInstance instances;
  platform::qt::QtTransportFactory transports;
  platform::qt::QtTimers timers;
  platform::qt::QtSound sound;
  platform::qt::QtShell shell;
  components::DeferredWebViewFactory views;
  // One set of status pictures for the client, shared by every room's member list.
  components::StatusPictures statusPictures{QString::fromStdString(PortalFromEnvironment().imageBase)};
  components::MemberListPaneFactory memberViews{&statusPictures};
};

// Settings the process needs before Qt starts: the font aliases next to the
// program, and Qt WebEngine's sandbox, which cannot run as root.
void PrepareProcessEnvironment(const char* argv0);

// The launch text: the arguments joined with single spaces, as code page 949.
std::string LaunchText(int argc, char** argv);

// The executable's own path.
std::string ExecutablePath(const char* argv0);

}  // namespace orvinta::app
