#pragma once
// The user's own rules for connections, in orvinta.conf beside Orvinta.cfg:
// requireTls (only tls:// addresses are tried) and caFile (a private
// authority trusted besides $ORVINTA_CA_FILE). The launch text cannot change them.
#include <QString>

#include "platform/qt/qt_transport.h"
#include "protocol/connect_policy.h"

namespace orvinta::app {

// Adds caFile's authorities to `transports`. requireTls is off only when it is
// missing, empty, "false" or "0": a value misspelt keeps clear text refused.
protocol::ConnectPolicy LoadConnectPolicy(const QString& confPath, platform::qt::QtTransportFactory& transports);

}  // namespace orvinta::app
