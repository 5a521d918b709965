#include "webcontrol/host/host_options.h"

namespace orvinta::quendel::host {
namespace {

struct ValueOption {
  const char* name;
  QString HostOptions::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"--module", &HostOptions::modulePath},
    {"--cookie", &HostOptions::cookie},
    {"--dump-when-title", &HostOptions::dumpWhenTitle},
    {"--dump-file", &HostOptions::dumpFile},
    {"--screenshot", &HostOptions::screenshot},
};

}  // namespace

QString HostUsage() {
  return "usage: quendel-host [--register] [--unregister] [--module FILE] [--cookie TEXT]\n"
         "                    [--dump-when-title TITLE --dump-file FILE] [--timeout-ms N [--screenshot PNG]] [PAGE]\n"
         "  PAGE                 an address (http://...) or a file name\n"
         "  --register           register the module (default: the one built beside this program)\n"
         "  --unregister         remove the module's registration\n"
         "  --cookie TEXT        cookie text added to the page's own (pages opened as files have none)\n"
         "  --dump-when-title T  when the page's title becomes T, write its text to --dump-file and end\n"
         "  --timeout-ms N       end with status 2 after N milliseconds\n"
         "  --screenshot PNG     at the timeout, save the window to PNG and end with status 0\n";
}

std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error) {
  HostOptions options;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--register") {
      options.registerModule = true;
      continue;
    }
    if (arg == "--unregister") {
      options.unregisterModule = true;
      continue;
    }
    if (arg == "--timeout-ms") {
      bool ok = false;
      options.timeoutMs = i + 1 < arguments.size() ? arguments[++i].toInt(&ok) : 0;
      if (!ok || options.timeoutMs < 0) {
        error = "--timeout-ms needs a number of milliseconds";
        return std::nullopt;
      }
      continue;
    }
    bool matched = false;
    for (const ValueOption& option : kValueOptions) {
      if (arg != option.name) continue;
      if (i + 1 >= arguments.size()) {
        error = QString(option.name) + " needs a value";
        return std::nullopt;
      }
      options.*option.field = arguments[++i];
      matched = true;
    }
    if (matched) continue;
    if (arg.startsWith("--") || !options.page.isEmpty()) {
      error = "unexpected argument: " + arg;
      return std::nullopt;
    }
    options.page = arg;
  }
  if (!options.screenshot.isEmpty() && options.timeoutMs == 0) {
    error = "--screenshot needs --timeout-ms";
    return std::nullopt;
  }
  if (options.dumpWhenTitle.isEmpty() != options.dumpFile.isEmpty()) {
    error = "--dump-when-title and --dump-file go together";
    return std::nullopt;
  }
  return options;
}

}  // namespace orvinta::quendel::host
