#include "bench/transcript/transcript_page.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <algorithm>
#include <vector>

#include "bench/transcript/bench_line.h"
#include "client/components/transcript_script.h"
#include "client/window/line_html.h"
#include "platform/cp949.h"

namespace orvinta::bench {
namespace {

class LoadWaiter final : public platform::HtmlViewListener {
 public:
  void OnNavigateComplete(platform::FrameHandle) override {}
  void OnDocumentComplete(platform::FrameHandle) override { loaded = true; }
  bool loaded = false;
};

// What the view's scroll script did before the page script had follow().
constexpr char kOldFollow[] =
    "(function(){var t=window.orvintaTranscript;if(t&&!t.follow)t.follow=function(id){"
    "var e=document.getElementById(id);if(e)e.scrollIntoView(false);};})();";

constexpr char kTimeEntryPoints[] = R"JS(
(function () {
  var t = window.orvintaTranscript;
  if (!t || t.benchMs !== undefined) return;
  var spent = 0;
  ['append', 'follow', 'find', 'findNext'].forEach(function (name) {
    var inner = t[name];
    if (typeof inner !== 'function') return;
    t[name] = function () {
      var start = performance.now();
      try { return inner.apply(t, arguments); } finally { spent += performance.now() - start; }
    };
  });
  t.benchMs = function () { return spent; };
})();
)JS";

void ReplacePageScript(components::WebView& view, const QString& source) {
  QWebEngineScriptCollection& scripts = view.Widget()->page()->scripts();
  for (QWebEngineScript script : scripts.find(QStringLiteral("orvinta-transcript"))) {
    scripts.remove(script);
    script.setSourceCode(source.arg(components::kLinesPerBlock));
    scripts.insert(script);
  }
}

QString ReadProc(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// Every process below this one.
std::vector<qint64> Descendants() {
  std::vector<qint64> tree{QCoreApplication::applicationPid()};
  const QStringList all = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
  for (bool grew = true; grew;) {
    grew = false;
    for (const QString& pid : all) {
      bool isNumber = false;
      const qint64 id = pid.toLongLong(&isNumber);
      if (!isNumber || std::find(tree.begin(), tree.end(), id) != tree.end()) continue;
      const QString text = ReadProc("/proc/" + pid + "/stat");
      const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
      if (fields.size() > 1 && std::find(tree.begin(), tree.end(), fields[1].toLongLong()) != tree.end()) {
        tree.push_back(id);
        grew = true;
      }
    }
  }
  tree.erase(tree.begin());
  return tree;
}

}  // namespace

void Spin(const std::function<bool()>& done) {
  while (!done()) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Wait(const std::function<bool()>& done) {
  while (!done()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::string LineHtml(int n, const std::string& extra) {
  const compose::ChatLine line = BenchLine(n, extra);
  return *window::RenderChatLine(line, window::PortalConfig{});
}

std::unique_ptr<components::WebView> OpenTranscript(const QString& script) {
  static QWidget* frame = [] {
    auto* w = new QWidget;
    w->resize(600, 400);
    w->show();
    return w;
  }();
  static LoadWaiter waiter;  // views load one after another
  waiter.loaded = false;
  auto view = std::make_unique<components::WebView>(platform::HtmlViewRole::Transcript);
  if (!script.isEmpty()) ReplacePageScript(*view, script);
  view->SetListener(&waiter);
  view->Widget()->setParent(frame);
  view->Widget()->resize(600, 400);
  view->Widget()->show();
  view->Navigate("res://orvinta/107");
  Spin([&] { return waiter.loaded; });
  view->SetListener(nullptr);
  if (!script.isEmpty()) Evaluate(*view, QString::fromLatin1(kOldFollow));
  return view;
}

void Settle(components::WebView& view) {
  bool answered = false;
  view.GetElementHtml("END_LINE", [&](const std::string&) { answered = true; });
  Spin([&] { return answered; });
}

QVariant Evaluate(components::WebView& view, const QString& script) {
  Settle(view);  // after every line and scroll asked for so far
  bool answered = false;
  QVariant value;
  view.Widget()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& result) {
    value = result;
    answered = true;
  });
  Spin([&] { return answered; });
  return value;
}

void TimePageScript(components::WebView& view) { Evaluate(view, QString::fromLatin1(kTimeEntryPoints)); }

double PageScriptMs(components::WebView& view) {
  return Evaluate(view, QStringLiteral("window.orvintaTranscript.benchMs()")).toDouble();
}

double RendererCpuMs() {
  // Renderers forked by the browser's zygote carry the zygote's command
  // line, so every process below this one counts: the idle zygotes add nothing.
  double ticks = 0;
  for (qint64 pid : Descendants()) {
    const QString text = ReadProc(QStringLiteral("/proc/%1/stat").arg(pid));
    const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    ticks += fields.value(11).toDouble() + fields.value(12).toDouble();
  }
  return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double TreeRssMiB() {
  std::vector<qint64> tree = Descendants();
  tree.push_back(QCoreApplication::applicationPid());
  long pages = 0;
  for (qint64 id : tree) pages += ReadProc(QStringLiteral("/proc/%1/statm").arg(id)).split(' ').value(1).toLong();
  return pages * 4096.0 / (1024 * 1024);
}

}  // namespace orvinta::bench
