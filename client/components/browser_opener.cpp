#include "client/components/browser_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "protocol/guarded.h"

namespace orvinta::components {

void OpenInBrowser(const QUrl& url, QObject* context, std::function<void()> failed) {
  const auto fail = [failed = std::move(failed)] { Guarded("a link no browser took", [&] { if (failed) failed(); }); };
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    if (!QDesktopServices::openUrl(url)) QTimer::singleShot(0, context, fail);
    return;
  }
  auto* process = new QProcess(context);
  process->setProgram(opener);
  process->setArguments({url.toString(QUrl::FullyEncoded)});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process, [process, fail](int code, QProcess::ExitStatus status) {
    if (status != QProcess::NormalExit || code != 0) fail();
    process->deleteLater();
  });
  QObject::connect(process, &QProcess::errorOccurred, process, [process, fail](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    fail();
    process->deleteLater();
  });
  process->start();
}

}  // namespace orvinta::components
