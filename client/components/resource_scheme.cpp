#include "client/components/resource_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "client/components/web_view.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {

void RegisterResourceScheme() {
  QWebEngineUrlScheme scheme(kResourceScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QByteArray ResourceSchemeHandler::Load(const QString& path, QByteArray* mimeType) {
  static const QRegularExpression page(QStringLiteral("^[0-9]{1,4}$"));
  static const QRegularExpression picture(QStringLiteral("^[a-z]+/[A-Za-z0-9_]+\\.(gif|png)$"));
  if (page.match(path).hasMatch()) {
    QFile file(QStringLiteral(":/pages/%1.html").arg(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    *mimeType = "text/html;charset=euc-kr";
    return QByteArray::fromStdString(platform::qt::ToCp949(QString::fromUtf8(file.readAll())));
  }
  if (picture.match(path).hasMatch()) {
    QFile file(QStringLiteral(":/pages/") + path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    *mimeType = path.endsWith(QLatin1String(".gif")) ? "image/gif" : "image/png";
    return file.readAll();
  }
  return {};
}

void ResourceSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  QByteArray mime;
  QByteArray bytes = Load(job->requestUrl().path().mid(1), &mime);
  if (bytes.isEmpty()) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  job->reply(mime, buffer);
}

void InstallResourceScheme() {
  static ResourceSchemeHandler handler;
  ViewProfile()->installUrlSchemeHandler(kResourceScheme, &handler);
}

}  // namespace orvinta::components
