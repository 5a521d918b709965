#pragma once
// The browser window of quendel-host: one web view whose page gets the
// control bridge injected, and whose OBJECT elements get their controls.
#include <QMainWindow>
#include <QWebEnginePage>

#include "webcontrol/component/component_loader.h"
#include "webcontrol/host/host_options.h"
#include "webcontrol/host/page_controls.h"

class QWebEngineView;
class QWebChannel;

namespace orvinta::quendel::host {

// Passes the page's console to the host's standard error.
class HostPage final : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;
};

class HostWindow final : public QMainWindow {
  Q_OBJECT
 public:
  HostWindow(com::ComponentLoader& loader, const HostOptions& options);
  ~HostWindow() override;
  void Open(const QUrl& address);

 private:
  void InjectBridge();
  void OnTitleChanged(const QString& title);

  HostOptions options_;
  QWebEngineView* view_;
  HostPage* page_;
  QWebChannel* channel_;
  PageControls* controls_;
  bool dumping_ = false;
};

}  // namespace orvinta::quendel::host
