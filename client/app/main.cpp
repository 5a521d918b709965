// orvinta: the chat client. Start-up runs in the order the application
// object decides; steps that only mean something on the original desktop
// (common controls, rich edit libraries, sockets start-up) have no work here.
#include <QApplication>
#include <memory>

#include "client/app/client_ports.h"
#include "client/app/key_filter.h"
#include "client/app/test_port.h"
#include "client/app/portal_settings.h"
#include "client/components/debug_dlg.h"
#include "client/components/main_window.h"
#include "client/components/resource_scheme.h"
#include "client/components/web_view.h"
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

  components::ComposeToolbar& toolbar = widgets.Toolbar();
  QObject::connect(&toolbar, &components::ComposeToolbar::faceChosen, [&dlg](int face) { dlg.OnFaceChosen(face); });
  QObject::connect(&toolbar, &components::ComposeToolbar::sizeChosen, [&dlg](int size) { dlg.OnSizeChosen(size); });
  QObject::connect(&toolbar, &components::ComposeToolbar::styleChanged,
                   [&dlg](int bits) { dlg.OnStyleChanged(bits); });
  QObject::connect(&toolbar, &components::ComposeToolbar::colourDroppedDown,
                   [&dlg](int) { dlg.OnColourDroppedDown(); });
  QObject::connect(&toolbar, &components::ComposeToolbar::colourChosen,
                   [&dlg](std::uint32_t colour, int id) { dlg.OnColourChosen(colour, id); });
  QObject::connect(&toolbar, &components::ComposeToolbar::emoticonChosen,
                   [&dlg](int index) { dlg.OnEmoticonChosen(index); });
  QObject::connect(&toolbar, &components::ComposeToolbar::sendClicked, [&dlg] { dlg.OnBnClickedChatsend(); });
  QObject::connect(&widgets.Input(), &components::CChatInputEdit::sendRequested,
                   [&dlg] { dlg.OnBnClickedChatsend(); });

  using Key = window::COrvintaDlg::Key;
  auto* keys = new app::KeyFilter(widgets, widgets.Input(),
                                  {.preTranslate =
                                       [&dlg](app::FilteredKey key, bool inInputLine) {
                                         static constexpr Key kKeys[] = {Key::Enter, Key::Escape, Key::Up, Key::Down,
                                                                         Key::Other};
                                         return dlg.PreTranslateKey(kKeys[static_cast<int>(key)], inInputLine);
                                       },
                                   .functionKey = [&dlg](int n) { dlg.OnFunctionKey(n); }});
  qApp->installEventFilter(keys);
}

}  // namespace

int main(int argc, char** argv) {
  app::PrepareProcessEnvironment(argv[0]);
  components::ShareRendererProcesses();
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
                                              .monitor = monitor.get(),
                                              .input = &widgets.InputLine()},
                          app::PortalFromEnvironment());
  WireMainWindow(widgets, dlg);
  ports.instances.Listen([&dlg](const platform::CopyData& message) { dlg.OnCopyData(message); });

  app::TestPort testPort(widgets, dlg);
  testPort.ListenFromEnvironment();

  dlg.OnInitDialog();
  widgets.show();
  dlg.StartStartupTimers();

  // The monitor goes with the main window, and the program with both.
  QObject::connect(&widgets, &components::MainWindow::closed, &application, [&monitor] {
    if (monitor) monitor->close();
    QApplication::quit();
  });
  const int result = application.exec();
  ports.timers.SetHandler(nullptr);
  return result;
}
