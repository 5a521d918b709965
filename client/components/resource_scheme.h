#pragma once
// The program's own pages and pictures under "res://orvinta/<name>": pages
// by resource number (107, 229), pictures by file name. Pages are kept
// in UTF-8 in the source tree and served as code page 949 (euc-kr) text.
#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>

namespace orvinta::components {

inline constexpr char kResourceScheme[] = "res";

// Must run before the application object is created.
void RegisterResourceScheme();

class ResourceSchemeHandler final : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void requestStarted(QWebEngineUrlRequestJob* job) override;

  // The bytes and MIME type for a resource path such as "107" or "gif/x.gif";
  // empty bytes when there is no such resource.
  static QByteArray Load(const QString& path, QByteArray* mimeType);
};

// Installs the handler on the profile every view uses.
void InstallResourceScheme();

}  // namespace orvinta::components
