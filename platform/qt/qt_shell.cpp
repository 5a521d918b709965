#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

bool QtShell::OpenProgram(const std::string& path, const std::string& argument) {
  return QProcess::startDetached(QString::fromStdString(Cp949ToUtf8Lossy(path)), {FromCp949(argument)});
}

bool QtShell::OpenUrl(const std::string& address) {
  const QUrl url(FromCp949(address), QUrl::StrictMode);
  // Only web addresses leave the program; a page cannot make it open a file or run a scheme handler.
  if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace orvinta::platform::qt
