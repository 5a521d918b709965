#include "client/app/portal_settings.h"

#include <QString>
#include <QUrl>

namespace orvinta::app {
namespace {

constexpr char kDefaultBase[] = "http://127.0.0.1:11901/";

// Replaces the default base at the front of an address.
void Rebase(std::string& address, const std::string& base) {
  const std::string from = kDefaultBase;
  if (address.rfind(from, 0) == 0) address = base + address.substr(from.size());
}

}  // namespace

window::PortalConfig PortalFromEnvironment() {
  window::PortalConfig portal;
  const QString value = qEnvironmentVariable("ORVINTA_PORTAL");
  if (value.isEmpty()) return portal;
  const QUrl url(value, QUrl::StrictMode);
  if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty()) return portal;
  std::string base = url.toString(QUrl::RemoveQuery | QUrl::RemoveFragment).toStdString();
  if (base.back() != '/') base.push_back('/');
  for (std::string* address : {&portal.avatarBase, &portal.imageBase, &portal.emoticonBase,
                               &portal.roomListPage, &portal.navigationBarPage, &portal.welcomePage,
                               &portal.blogHost}) {
    Rebase(*address, base);
  }
  return portal;
}

}  // namespace orvinta::app
