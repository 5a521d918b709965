#include "webcontrol/host/host_window.h"

#include <QApplication>
#include <QFile>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <cstdio>

namespace orvinta::quendel::host {
namespace {

QString ReadResource(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QWebEngineScript MainWorldScript(const QString& name, const QString& source,
                                 QWebEngineScript::InjectionPoint point) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setInjectionPoint(point);
  script.setWorldId(QWebEngineScript::MainWorld);
  script.setRunsOnSubFrames(false);
  return script;
}

}  // namespace

void HostPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                        const QString& source) {
  std::fprintf(stderr, "page: %s:%d: %s\n", qPrintable(source), line, qPrintable(message));
}

HostWindow::HostWindow(com::ComponentLoader& loader, const HostOptions& options)
    : options_(options), view_(new QWebEngineView(this)), page_(new HostPage(view_)), channel_(new QWebChannel(this)),
      controls_(new PageControls(loader, view_, options.cookie, this)) {
  setWindowTitle("quendel-host");
  resize(1000, 760);
  view_->setPage(page_);
  setCentralWidget(view_);
  channel_->registerObject("quendelHost", controls_);
  page_->setWebChannel(channel_, QWebEngineScript::MainWorld);
  InjectBridge();
  // A new document gets new controls; the old page's go with it.
  connect(page_, &QWebEnginePage::loadStarted, this, [this] { controls_->Clear(); });
  connect(page_, &QWebEnginePage::titleChanged, this, &HostWindow::OnTitleChanged);
}

// The controls go before the view that holds their windows.
HostWindow::~HostWindow() { controls_->Clear(); }

void HostWindow::InjectBridge() {
  QWebEngineScriptCollection& scripts = page_->scripts();
  scripts.insert(MainWorldScript("qwebchannel", ReadResource(":/qtwebchannel/qwebchannel.js"),
                                 QWebEngineScript::DocumentCreation));
  scripts.insert(MainWorldScript("quendel-bridge", ReadResource(":/quendel-host/quendel_bridge.js"),
                                 QWebEngineScript::DocumentReady));
}

void HostWindow::Open(const QUrl& address) { view_->load(address); }

void HostWindow::OnTitleChanged(const QString& title) {
  setWindowTitle(title + " - quendel-host");
  if (dumping_ || options_.dumpWhenTitle.isEmpty() || title != options_.dumpWhenTitle) return;
  dumping_ = true;
  page_->runJavaScript("document.body ? document.body.innerText : ''", [this](const QVariant& text) {
    QFile out(options_.dumpFile);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         out.write(text.toString().toUtf8()) >= 0;
    out.close();
    QApplication::exit(written ? 0 : 3);
  });
}

}  // namespace orvinta::quendel::host
