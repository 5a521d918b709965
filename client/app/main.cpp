// orvinta: the chat client. Start-up runs in the order the application
// object decides; steps that only mean something on the original desktop
// (common controls, rich edit libraries, sockets start-up) have no work here.
#include <QApplication>
#include <memory>

#include "client/app/client_ports.h"
#include "client/app/portal_settings.h"
#include "client/components/debug_dlg.h"
#include "client/components/main_window.h"
#include "client/components/resource_scheme.h"
#include "client/shell/orvinta_app.h"
#include "client/window/orvinta_dlg.h"

namespace {

using namespace orvinta;

// Connects the widgets' user actions to the window logic.
void WireMainWindow(components::MainWindow& widgets, window::COrvintaDlg& dlg) {
  using SysCommand = window::COrvintaDlg::SysCommand;
  widgets.SetHooks({
      .tabSelected = [&dlg](int) { dlg.OnTcnSelchangeTabChannel(); },
      .tabCloseClicked = [&dlg](int index) { dlg.OnCloseTab(index); },
      .connectClicked = [&dlg] { dlg.OnBnClickedButConnect(); },
      .statusChosen = [&dlg](int index) { dlg.OnStatusSelected(index); },
      .closeRequested = [&dlg] { return dlg.OnSysCommand(SysCommand::Close); },
      .minimisedChanged = [&dlg](bool minimised) {
        dlg.OnSysCommand(minimised ? SysCommand::Minimize : SysCommand::Restore);
      },
  });
}

}  // namespace

int main(int argc, char** argv) {
  app::PrepareProcessEnvironment(argv[0]);
  components::RegisterResourceScheme();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvinta"));

  app::ClientPorts ports;
  shell::COrvintaApp orvinta;
  const auto started = orvinta.InitInstance(app::LaunchText(argc, argv), app::ExecutablePath(argv[0]),
                                            {ports.platform, ports.boxes, ports.instances});
  if (started == shell::StartupResult::HandedOver) {
    qInfo("orvinta: the running client took over the room");
    return 0;
  }
  if (started == shell::StartupResult::Stop) return 1;

  components::InstallResourceScheme();
  std::unique_ptr<components::CDebugDlg> monitor;
  if (orvinta.Settings.DebugMonitor) {
    monitor = std::make_unique<components::CDebugDlg>();
    monitor->show();
  }

  components::MainWindow widgets;
  ports.boxes.SetParent(&widgets);
  window::COrvintaDlg dlg(orvinta.Settings,
                          window::WindowPorts{.host = widgets,
                                              .views = ports.views,
                                              .timers = ports.timers,
                                              .boxes = ports.boxes,
                                              .sound = ports.sound,
                                              .shell = ports.shell,
                                              .transports = ports.transports,
                                              .monitor = monitor.get()},
                          app::PortalFromEnvironment());
  WireMainWindow(widgets, dlg);
  ports.instances.Listen([&dlg](const platform::CopyData& message) { dlg.OnCopyData(message); });

  dlg.OnInitDialog();
  widgets.show();
  dlg.StartStartupTimers();

  // The monitor goes with the main window.
  QObject::connect(&application, &QApplication::lastWindowClosed, &application, &QApplication::quit);
  QObject::connect(&widgets, &QObject::destroyed, &application, &QApplication::quit);
  const int result = application.exec();
  ports.timers.SetHandler(nullptr);
  return result;
}
