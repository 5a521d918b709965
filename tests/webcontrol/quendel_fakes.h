#pragma once
// In-memory stand-ins for what the control reaches: its window, the platform
// report, the shell, the hosting browser, and a sink that records events.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_info.h"
#include "platform/shell.h"
#include "webcontrol/component/control.h"
#include "webcontrol/main_dialog_view.h"

namespace orvinta::quendel::testing {

class FakeView final : public MainDialogView {
 public:
  void Show() override { shown = true; }
  void MoveWindow(const com::Rect& bounds) override { moves.push_back(bounds); }
  std::string LogText() const override { return log; }
  void SetLogText(const std::string& text) override { log = text; }
  void ScrollLogToEnd() override { ++scrolls; }
  void MoveLogBox(const com::Rect& bounds) override { logBox = bounds; }

  bool shown = false;
  std::vector<com::Rect> moves;
  std::string log;
  int scrolls = 0;
  com::Rect logBox;
};

class FakeViewFactory final : public MainDialogViewFactory {
 public:
  std::unique_ptr<MainDialogView> Create(com::NativeWindow, MainDialogViewListener& listener) override {
    if (fail) return nullptr;
    auto view = std::make_unique<FakeView>();
    last = view.get();
    this->listener = &listener;
    return view;
  }
  bool fail = false;
  FakeView* last = nullptr;
  MainDialogViewListener* listener = nullptr;
};

class FakePlatformInfo final : public platform::PlatformInfo {
 public:
  platform::OsVersion Os() const override { return os; }
  std::optional<std::string> BrowserVersion() const override { return browser; }
  platform::OsVersion os{platform::OsFamily::WinNT, 5, 1};
  std::optional<std::string> browser = "6.0";
};

class FakeShell final : public platform::Shell {
 public:
  bool OpenProgram(const std::string& path, const std::string& argument) override {
    started.push_back({path, argument});
    return true;
  }
  bool OpenUrl(const std::string& address) override {
    opened.push_back(address);
    return true;
  }
  std::vector<std::pair<std::string, std::string>> started;
  std::vector<std::string> opened;
};

class FakeBrowser final : public com::WebBrowser {
 public:
  std::optional<std::string> DocumentCookie() override { return cookie; }
  std::optional<std::string> cookie;
};

class FakeSite final : public com::ClientSite {
 public:
  com::WebBrowser* QueryWebBrowser() override { return hasBrowser ? &browser : nullptr; }
  bool hasBrowser = true;
  FakeBrowser browser;
};

// Events as "Name(value,value)".
class RecordingSink final : public com::EventSink {
 public:
  void OnEvent(const com::Event& event) override {
    std::string line = event.name + "(";
    for (std::size_t i = 0; i < event.values.size(); ++i) line += (i ? "," : "") + event.values[i];
    events.push_back(line + ")");
    last = event;
    if (onEvent) onEvent(event);
  }
  std::vector<std::string> events;
  com::Event last;
  std::function<void(const com::Event&)> onEvent;  // what the page's handler does
};

}  // namespace orvinta::quendel::testing
