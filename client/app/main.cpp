// orvinta: the chat client. Start-up runs in the order the application
// object decides; steps that only mean something on the original desktop
// (common controls, rich edit libraries, sockets start-up) have no work here.
#include <QApplication>
#include <QTimer>
#include <QIcon>
#include <cstdio>
#include <memory>

#include "client/app/assistive_technology.h"
#include "client/app/client_ports.h"
#include "client/app/command_line.h"
#include "client/app/connect_settings.h"
#include "client/app/korean_dialogs.h"
#include "client/app/quiet_output.h"
#include "client/app/key_filter.h"
#include "client/app/window_keys.h"
#include "client/components/input/caret_rest.h"
#ifdef ORVINTA_TEST_PORT
#include "client/app/test_port.h"
#endif
#include "client/app/portal_settings.h"
#include "client/app/reading_and_attention.h"
#include "client/log/room_log_service.h"
#include "client/app/settings_and_saving.h"
#include "client/components/config/atomic_file.h"
#include "client/components/config/config_path.h"
#include "client/components/config/config_store.h"
#include "client/components/debug_dlg.h"
#include "client/components/main_window.h"
#include "client/components/menus/qt_popup_menus.h"
#include "client/components/notifier/qt_prompt_popups.h"
#include "client/components/resource_scheme.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "client/components/transcript/transcript_widget.h"
#include "client/components/deferred_web_view.h"
#include "client/components/web_view.h"
#include "client/shell/hand_over.h"
#include "client/shell/orvinta_app.h"
#include "client/window/box_queue.h"
#include "client/window/orvinta_dlg.h"
#include "protocol/failure_log.h"
#include "client/window/transcript_source.h"
#include "client/window/window_config_store.h"
#include "platform/cp949.h"
#include "protocol/guarded.h"

namespace {

using namespace orvinta;

// A room whose lines have not come by then does not keep the portal's pages waiting.
constexpr int kEngineAtTheLatestMs = 3000;

// A widget's action, guarded once where it enters from the event loop.
template <typename Body>
auto Entry(std::string_view where, Body body) {
  return [where, body = std::move(body)](auto&&... args) {
    Guarded(where, [&] { body(std::forward<decltype(args)>(args)...); });
  };
}

// Connects the widgets' user actions to the window logic.
void WireMainWindow(components::MainWindow& widgets, window::COrvintaDlg& dlg) {
  using SysCommand = window::COrvintaDlg::SysCommand;
  widgets.SetHooks({
      .tabSelected = Entry("a tab selection", [&dlg](int) { dlg.Tabs().OnTcnSelchangeTabChannel(); }),
      .tabCloseClicked = Entry("a tab's close mark", [&dlg](int index) { dlg.OnCloseTab(index); }),
      .connectClicked = Entry("the connect button", [&dlg] { dlg.OnBnClickedButConnect(); }),
      .statusChosen = Entry("the status combo", [&dlg](int index) { dlg.Members().OnCbnSelchangeComboStatus(index); }),
      .closeRequested =
          [&dlg] { return GuardedOr("the close box", false, [&] { return dlg.OnSysCommand(SysCommand::Close); }); },
      .minimisedChanged = Entry("minimising", [&dlg](bool minimised) {
        dlg.OnSysCommand(minimised ? SysCommand::Minimize : SysCommand::Restore);
      }),
  });

  components::ComposeToolbar& toolbar = widgets.Toolbar();
  window::ComposeAndSend& composing = dlg.Composing();
  QObject::connect(&toolbar, &components::ComposeToolbar::faceChosen,
                   Entry("the face combo", [&composing](int face) { composing.OnFaceChosen(face); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::sizeChosen,
                   Entry("the size combo", [&composing](int size) { composing.OnSizeChosen(size); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::styleChanged,
                   Entry("a style button", [&composing](int bits) { composing.OnStyleChanged(bits); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::colourDroppedDown,
                   Entry("a colour picker", [&composing](int) { composing.OnColourDroppedDown(); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::colourChosen,
                   Entry("a colour choice", [&composing](std::uint32_t colour, int id) {
                     composing.OnColourChosen(colour, id);
                   }));
  QObject::connect(&toolbar, &components::ComposeToolbar::emoticonChosen,
                   Entry("the emoticon picker", [&composing](int index) { composing.OnEmoticonChosen(index); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::sendClicked,
                   Entry("the send button", [&composing] { composing.OnBnClickedChatsend(); }));
  QObject::connect(&toolbar, &components::ComposeToolbar::clearScreenClicked,
                   Entry("the clear-screen button", [&dlg] { dlg.Transcript().OnClearScreen(); }));
  QObject::connect(&widgets.Input(), &components::CChatInputEdit::sendRequested,
                   Entry("Enter in the input line", [&composing] { composing.OnBnClickedChatsend(); }));

  using Key = window::ComposeAndSend::Key;
  auto* keys = new app::KeyFilter(
      widgets, widgets.Input(),
      {.preTranslate =
           [&composing](app::FilteredKey key, bool inInputLine) {
             static constexpr Key kKeys[] = {Key::Enter, Key::Escape, Key::Up, Key::Down, Key::Other};
             return composing.PreTranslateMessage(kKeys[static_cast<int>(key)], inInputLine);
           },
       .functionKey =
           [&composing](int n) {
             return GuardedOr("a function key", false, [&] { return composing.OnFunctionKey(n); });
           }});
  qApp->installEventFilter(keys);
  qApp->installEventFilter(new components::CaretRest(qApp));
}

// The keys for rooms, panes and popups; they see a key before the window logic does.
void WireWindowKeys(components::MainWindow& widgets, window::COrvintaDlg& dlg, components::QtPromptPopups& popups) {
  qApp->installEventFilter(new app::WindowKeys(
      widgets, {.functionKeyHasText = [&dlg](int n) { return !dlg.Composing().Texts().Shortcut[n - 1].empty(); },
                .answerPrompt = [&popups](bool accepted) {
                  return GuardedOr("a popup's answer key", false,
                                   [&] { return popups.popups().notifier().AnswerFromKeyboard(accepted); });
                }}));
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto exitStatus = app::AnswerCommandLine(argc, argv)) return *exitStatus;
  app::QuietStandardError();
  app::PrepareProcessEnvironment(argv[0]);
  components::LeanEngineProcesses();
  components::RegisterResourceScheme();
  QApplication application(argc, argv);
  const components::ViewsGoBeforeTheEngine viewsFirst;
  QApplication::setApplicationName(QStringLiteral("Orvinta"));
  // The desktop matches the window to the installed entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("net.belvo.Orvinta"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orvinta")));
  app::LoadKoreanDialogTexts(application);

  app::ClientPorts ports;
  shell::COrvintaApp orvinta;
  const auto started = orvinta.InitInstance(app::LaunchText(argc, argv), app::ExecutablePath(argv[0]),
                                            {ports.platform, ports.boxes, ports.instances});
  if (started == shell::StartupResult::HandedOver) {
    std::printf("orvinta: the client already running for %s took over the room\n",
                platform::Cp949ToUtf8Lossy(orvinta.Settings.UserId).c_str());
    return 0;
  }
  if (started == shell::StartupResult::BadLaunchText) return app::ReportBadLaunchText();
  if (started == shell::StartupResult::Stop) return 1;

  app::OpenPagesToAssistiveTechnology();  // before the engine's first profile
  components::InstallResourceScheme();
  std::unique_ptr<components::CDebugDlg> monitor;
  if (orvinta.Settings.DebugMonitor) {
    monitor = std::make_unique<components::CDebugDlg>();
    monitor->show();
    protocol::LogFailuresTo(monitor.get());  // caught failures show there too
  }

  // Orvinta.cfg: read as the window initialises, written when a setting changes and on close.
  config::ConfigStore configStore(config::ConfigPathFor(config::FolderOf(app::ExecutablePath(argv[0]))));
  configStore.ReportFailedSaveIn(&ports.boxes);
  window::FileWindowConfigStore windowConfig(configStore);
  const protocol::ConnectPolicy connectPolicy =
      app::LoadConnectPolicy(app::ReadingSettingsPathBeside(configStore.Path()), ports.transports);

  components::MainWindow widgets;
  components::QtPopupMenus menus(&widgets);
  widgets.KeepCustomColoursBesideConfig();
  ports.boxes.SetParent(&widgets);
  // The session's boxes wait until its handler has returned (see box_queue.h).
  window::BoxQueue queuedBoxes(ports.boxes);
  // Made before the window logic and so outlives it; the logic stops their answers as it goes.
  components::QtPromptPopups popups(&widgets);
  // Made below, once the window logic stands; it must outlive that logic, which tells it of lines.
  std::unique_ptr<app::ReadingAndAttention> reading;
  std::unique_ptr<log::RoomLogService> roomLog;
  const window::PortalConfig portal = app::PortalFromEnvironment();
  components::QtTranscriptViewFactory transcriptViews(&widgets, portal);
  window::COrvintaDlg dlg(orvinta.Settings,
                          window::WindowPorts{.host = widgets,
                                              .views = ports.views,
                                              .timers = ports.timers,
                                              .boxes = queuedBoxes,
                                              .sound = ports.sound,
                                              .shell = ports.shell,
                                              .transports = ports.transports,
                                              .monitor = monitor.get(),
                                              .notifier = &popups.popups(),
                                              .config = &windowConfig,
                                              .input = &widgets.InputLine(),
                                              .menus = &menus,
                                              .memberViews = &ports.memberViews,
                                              .transcriptViews = &transcriptViews,
                                              .connectPolicy = connectPolicy},
                          portal);
  WireMainWindow(widgets, dlg);
  WireWindowKeys(widgets, dlg, popups);
  widgets.SetStatusMenuHook(Entry("the status menu", [&dlg, &menus, &orvinta](QPoint at) {
    const auto items = window::StatusMenuItems(window::OwnStatusIn(dlg.Channels(), orvinta.Settings.UserId));
    const int command = menus.Track(platform::MenuIcons::Status, items, {at.x(), at.y()});
    if (command != 0) dlg.Members().OnStatusMenuCommand(command);
  }));

  window::WindowTranscripts transcripts(dlg.Channels());
  app::SettingsAndSaving settingsAndSaving(
      {.mainWindow = widgets,
       .host = widgets,
       .boxes = ports.boxes,
       .store = configStore,
       .transcripts = transcripts,
       .currentRoom = [&transcripts] { return transcripts.CurrentTarget(); },
       .textsChanged = [&dlg](const config::ConfigValues& values) { dlg.Composing().TakeTexts(values); }});
  QObject::connect(&widgets.Toolbar(), &components::ComposeToolbar::shortcutSettingsClicked,
                   Entry("the settings button", [&settingsAndSaving] { settingsAndSaving.OnSettingsClicked(); }));
  QObject::connect(&widgets.Toolbar(), &components::ComposeToolbar::saveTranscriptClicked,
                   Entry("the save button", [&settingsAndSaving] { settingsAndSaving.OnBnClickedButtonSave(); }));
  // Reading choices (orvinta.conf beside Orvinta.cfg), desktop notifications, the tray icon;
  // the settings dialog gets their page after it opens.
  reading = std::make_unique<app::ReadingAndAttention>(widgets, dlg,
                                                       app::ReadingSettingsPathBeside(configStore.Path()));
  QObject::connect(&widgets.Toolbar(), &components::ComposeToolbar::shortcutSettingsClicked,
                   Entry("the reading page", [&reading, &settingsAndSaving] {
                     reading->OfferChoicesIn(settingsAndSaving.Dialog());
                   }));
  // Every room's lines to a UTF-8 file while the user has it on.
  roomLog = std::make_unique<log::RoomLogService>(dlg.Transcript(), reading->Preferences());

  // Counted before this client listens: the windows open before this one.
  widgets.SetEarlierWindows(ports.instances.CountRunning(shell::kHandOverEndpointPrefix));
  ports.instances.Listen(shell::HandOverEndpoint(orvinta.Settings.UserId),
                         [&dlg](const platform::CopyData& message) { dlg.OnCopyData(message); });

#ifdef ORVINTA_TEST_PORT
  app::TestPort testPort(widgets, dlg);
  testPort.ListenFromEnvironment();
#endif

  Guarded("starting the main window", [&] {
    dlg.OnInitDialog();
    widgets.show();
    if (monitor) monitor->PlaceBeside(widgets);
    dlg.StartStartupTimers();
  });
  // The portal's pages wait for the browser engine, which waits for the
  // room's first lines; a start without a room has nothing to wait for.
  if (orvinta.Settings.RoomKey.empty()) {
    QTimer::singleShot(0, &widgets, components::LetTheBrowserEngineIn);
  } else {
    QTimer::singleShot(kEngineAtTheLatestMs, &widgets, components::LetTheBrowserEngineIn);
  }

  // The monitor goes with the main window, and the program with both.
  QObject::connect(&widgets, &components::MainWindow::closed, &application, [&monitor] {
    if (monitor) monitor->close();
    QApplication::quit();
  });
  const int result = application.exec();
  protocol::LogFailuresTo(nullptr);
  ports.timers.SetHandler(nullptr);
  return result;
}
