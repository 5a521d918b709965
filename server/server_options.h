#pragma once
// The command line of orvinta-server.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/event_log.h"
#include "server/rate_limits.h"

namespace orvinta::server {

struct ServerOptions {
  std::string bindAddress = "127.0.0.1";
  std::uint16_t port = 11900;  // 0: any free port
  int pingIntervalSeconds = 30;
  int roomCapacity = 50;
  int loginTimeoutSeconds = 10;
  std::optional<std::uint16_t> httpPort;  // no HTTP side unless asked for
  std::optional<std::uint16_t> tlsPort;   // no TLS port unless asked for
  std::string tlsCertFile;                // PEM chain, re-read on SIGHUP
  std::string tlsKeyFile;
  bool tlsOnly = false;                   // no clear-text port
  std::string portalDir;                  // empty: the built-in default
  bool showHelp = false;

  std::string authSecretFile;            // empty: development mode
  bool devSignin = false;                // /signin even with keys verified
  std::optional<std::string> signKeyFor;  // print a session key for this id and stop
  long keyLifetimeSeconds = 12 * 3600;
  LogLevel logLevel = LogLevel::kNormal;

  RateRules rates;
  int maxPerAddress = 32;
  int maxQueryingPerAddress = 4;
  int maxHttpPerAddress = 16;
  bool capLoopback = false;
  int roomsCreatedPerMember = 8;
  int expelMinutes = 10;
  int outputBudgetMb = 256;
  int flushDelayMs = 10;

  // Empty: one process alone. "redis://HOST:PORT" joins the cluster there.
  std::vector<std::string> clusterUrls;
  std::string clusterPasswordFile;
  std::string nodeName;  // empty: host name and chat port
  int clusterWaitSeconds = 10;

  // Each room's recent lines: how many and how old (either 0: none kept).
  int historyLines = 1000;
  int historyDays = 7;
  std::string historyDb;  // empty: kept in memory only
};

struct ParsedOptions {
  std::optional<ServerOptions> options;
  std::string error;  // set when options is empty
};

// args without the program name. Accepts "--name value" and "--name=value".
ParsedOptions ParseServerOptions(const std::vector<std::string_view>& args);

std::string_view ServerUsage();

}  // namespace orvinta::server
