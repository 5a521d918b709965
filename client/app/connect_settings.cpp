#include "client/app/connect_settings.h"

#include <QSettings>

namespace orvinta::app {

protocol::ConnectPolicy LoadConnectPolicy(const QString& confPath, platform::qt::QtTransportFactory& transports) {
  protocol::ConnectPolicy policy;
  if (!confPath.isEmpty()) {
    const QSettings settings(confPath, QSettings::IniFormat);
    const QString caFile = settings.value(QStringLiteral("caFile")).toString();
    if (!caFile.isEmpty()) transports.TrustAlso(caFile);
    const QString require = settings.value(QStringLiteral("requireTls")).toString().trimmed().toLower();
    policy.requireTls = !require.isEmpty() && require != QLatin1String("false") && require != QLatin1String("0");
  }
  policy.unusableAuthorityFile = transports.UnusableAuthorityFile();
  return policy;
}

}  // namespace orvinta::app
