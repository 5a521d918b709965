#pragma once
// The command line of quendel-host.
#include <QString>
#include <QStringList>
#include <optional>

namespace orvinta::quendel::host {

struct HostOptions {
  QString page;            // address or file name; empty: none
  QString modulePath;      // the module --register / --unregister act on
  bool registerModule = false;
  bool unregisterModule = false;
  bool help = false;
  QString cookie;          // added to the page's cookie text
  QString dumpWhenTitle;   // when the page's title becomes this...
  QString dumpFile;        // ...its text is written here and the host ends
  int timeoutMs = 0;       // ends the host with status 2 after this long; 0: never
  QString screenshot;      // with a timeout: the window is saved here (PNG) and the host ends with 0
};

// nullopt with `error` set when the arguments cannot be used.
std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error);

QString HostUsage();

}  // namespace orvinta::quendel::host
