#include "server/server_options.h"

#include <arpa/inet.h>

#include <charconv>
#include <cstdlib>

namespace orvinta::server {
namespace {

std::optional<long> ParseNumber(std::string_view text, long low, long high) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

using Apply = std::string (*)(ServerOptions&, std::string_view);  // "" when fine, else the complaint

struct OptionRule {
  std::string_view name;
  Apply apply;
  bool takesValue = true;
};

std::optional<double> ParseDecimal(std::string_view text, double low, double high) {
  if (text.empty() || text.size() > 16 || text.find_first_not_of("0123456789.") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || value < low || value > high) return std::nullopt;
  return value;
}

// A whole-number option stored in an int field.
template <int ServerOptions::*Field, long Low, long High>
std::string ApplyCount(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, Low, High);
  if (!n) return "needs a number from " + std::to_string(Low) + " to " + std::to_string(High);
  o.*Field = static_cast<int>(*n);
  return {};
}

// "--rate CLASS=PER_SECOND/BURST", CLASS one of the rate classes or "flood".
std::string ApplyRate(ServerOptions& o, std::string_view v) {
  const auto eq = v.find('=');
  const auto slash = v.find('/');
  const std::string_view name = v.substr(0, eq);
  RateRule* rule = name == "flood"           ? &o.rates.flood
                   : name == "login"         ? &o.rates.login
                   : name == "address_login" ? &o.rates.addressLogin
                                             : nullptr;
  if (const auto c = RateClassNamed(name)) rule = &o.rates.For(*c);
  if (rule == nullptr || eq == std::string_view::npos || slash == std::string_view::npos || slash < eq) {
    return "--rate needs CLASS=PER_SECOND/BURST with CLASS one of talk, status, room, invite, vote, query, history, "
           "other, flood, login, address_login";
  }
  const auto perSecond = ParseDecimal(v.substr(eq + 1, slash - eq - 1), 0.001, 100000);
  const auto burst = ParseDecimal(v.substr(slash + 1), 1, 100000);
  if (!perSecond || !burst) return "--rate needs a rate from 0.001 to 100000 per second and a burst from 1";
  *rule = RateRule{*perSecond, *burst};
  return {};
}

std::string ApplyAuthSecret(ServerOptions& o, std::string_view v) {
  if (v.empty()) return "--auth-secret needs a file";
  o.authSecretFile = std::string(v);
  return {};
}

std::string ApplySignKey(ServerOptions& o, std::string_view v) {
  if (v.empty()) return "--sign-key needs a user id";
  o.signKeyFor = std::string(v);
  return {};
}

std::string ApplyKeyLifetime(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 60, 366L * 24 * 3600);
  if (!n) return "--key-lifetime needs a number of seconds from 60 to one year";
  o.keyLifetimeSeconds = *n;
  return {};
}

std::string ApplyQuiet(ServerOptions& o, std::string_view) {
  o.logLevel = LogLevel::kQuiet;
  return {};
}

std::string ApplyVerbose(ServerOptions& o, std::string_view) {
  o.logLevel = LogLevel::kVerbose;
  return {};
}

std::string ApplyDevSignin(ServerOptions& o, std::string_view) {
  o.devSignin = true;
  return {};
}

std::string ApplyCapLoopback(ServerOptions& o, std::string_view) {
  o.capLoopback = true;
  return {};
}

std::string ApplyPort(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 0, 65535);
  if (!n) return "--port needs a number from 0 to 65535";
  o.port = static_cast<std::uint16_t>(*n);
  return {};
}

std::string ApplyHttpPort(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 0, 65535);
  if (!n) return "--http-port needs a number from 0 to 65535";
  o.httpPort = static_cast<std::uint16_t>(*n);
  return {};
}

std::string ApplyTlsPort(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 0, 65535);
  if (!n) return "--tls-port needs a number from 0 to 65535";
  o.tlsPort = static_cast<std::uint16_t>(*n);
  return {};
}

template <std::string ServerOptions::*Field>
std::string ApplyFile(ServerOptions& o, std::string_view v) {
  if (v.empty()) return "needs a file";
  o.*Field = std::string(v);
  return {};
}

std::string ApplyTlsOnly(ServerOptions& o, std::string_view) {
  o.tlsOnly = true;
  return {};
}

std::string ApplyBind(ServerOptions& o, std::string_view v) {
  in_addr address{};
  if (inet_pton(AF_INET, std::string(v).c_str(), &address) != 1) return "--bind needs an IPv4 address";
  o.bindAddress = std::string(v);
  return {};
}

std::string ApplyPingInterval(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 1, 3600);
  if (!n) return "--ping-interval needs a number of seconds from 1 to 3600";
  o.pingIntervalSeconds = static_cast<int>(*n);
  return {};
}

std::string ApplyRoomCapacity(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 1, 10000);
  if (!n) return "--room-capacity needs a number from 1 to 10000";
  o.roomCapacity = static_cast<int>(*n);
  return {};
}

std::string ApplyLoginTimeout(ServerOptions& o, std::string_view v) {
  const auto n = ParseNumber(v, 1, 3600);
  if (!n) return "--login-timeout needs a number of seconds from 1 to 3600";
  o.loginTimeoutSeconds = static_cast<int>(*n);
  return {};
}

std::string ApplyPortalDir(ServerOptions& o, std::string_view v) {
  if (v.empty()) return "--portal-dir needs a directory";
  o.portalDir = std::string(v);
  return {};
}

std::string ApplyCluster(ServerOptions& o, std::string_view v) {
  if (!v.starts_with("redis://") || v.size() > 200) return "--cluster needs redis://HOST:PORT";
  o.clusterUrls.emplace_back(v);
  return {};
}

std::string ApplyClusterPassword(ServerOptions& o, std::string_view v) {
  if (v.empty()) return "--cluster-password-file needs a file";
  o.clusterPasswordFile = std::string(v);
  return {};
}

// A node's name travels in Redis keys and messages: letters, digits, ".", "-", "_".
std::string ApplyNodeName(ServerOptions& o, std::string_view v) {
  if (v.empty() || v.size() > 64 ||
      v.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-") !=
          std::string_view::npos) {
    return "--node-name needs 1 to 64 letters, digits, '.', '-' or '_'";
  }
  o.nodeName = std::string(v);
  return {};
}

constexpr OptionRule kRules[] = {
    {"--cluster", ApplyCluster},
    {"--cluster-password-file", ApplyClusterPassword},
    {"--node-name", ApplyNodeName},
    {"--cluster-wait", ApplyCount<&ServerOptions::clusterWaitSeconds, 1, 3600>},
    {"--port", ApplyPort},
    {"--bind", ApplyBind},
    {"--ping-interval", ApplyPingInterval},
    {"--room-capacity", ApplyRoomCapacity},
    {"--login-timeout", ApplyLoginTimeout},
    {"--http-port", ApplyHttpPort},
    {"--portal-dir", ApplyPortalDir},
    {"--tls-port", ApplyTlsPort},
    {"--tls-cert", ApplyFile<&ServerOptions::tlsCertFile>},
    {"--tls-key", ApplyFile<&ServerOptions::tlsKeyFile>},
    {"--tls-only", ApplyTlsOnly, false},
    {"--auth-secret", ApplyAuthSecret},
    {"--dev-signin", ApplyDevSignin, false},
    {"--sign-key", ApplySignKey},
    {"--key-lifetime", ApplyKeyLifetime},
    {"--quiet", ApplyQuiet, false},
    {"--verbose", ApplyVerbose, false},
    {"--rate", ApplyRate},
    {"--max-per-address", ApplyCount<&ServerOptions::maxPerAddress, 1, 100000>},
    {"--max-querying-per-address", ApplyCount<&ServerOptions::maxQueryingPerAddress, 1, 100000>},
    {"--max-http-per-address", ApplyCount<&ServerOptions::maxHttpPerAddress, 1, 100000>},
    {"--cap-loopback", ApplyCapLoopback, false},
    {"--rooms-per-member", ApplyCount<&ServerOptions::roomsCreatedPerMember, 1, 10000>},
    {"--expel-minutes", ApplyCount<&ServerOptions::expelMinutes, 0, 10080>},
    {"--output-budget-mb", ApplyCount<&ServerOptions::outputBudgetMb, 1, 65536>},
    {"--flush-delay", ApplyCount<&ServerOptions::flushDelayMs, 0, 50>},
    {"--history-lines", ApplyCount<&ServerOptions::historyLines, 0, 100000>},
    {"--history-days", ApplyCount<&ServerOptions::historyDays, 0, 3650>},
    {"--history-db", ApplyFile<&ServerOptions::historyDb>},
};

const OptionRule* FindRule(std::string_view name) {
  for (const OptionRule& rule : kRules) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

}  // namespace

ParsedOptions ParseServerOptions(const std::vector<std::string_view>& args) {
  ServerOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (name == "--help" || name == "-h") {
      options.showHelp = true;
      continue;
    }
    if (const auto eq = name.find('='); eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    const OptionRule* rule = FindRule(name);
    if (rule == nullptr) return {std::nullopt, "unknown option: " + std::string(args[i])};
    if (!rule->takesValue) {
      if (value) return {std::nullopt, std::string(name) + " takes no value"};
      rule->apply(options, {});
      continue;
    }
    if (!value) {
      if (i + 1 >= args.size()) return {std::nullopt, std::string(name) + " needs a value"};
      value = args[++i];
    }
    if (std::string complaint = rule->apply(options, *value); !complaint.empty()) {
      if (!complaint.starts_with("--")) complaint = std::string(name) + " " + complaint;
      return {std::nullopt, std::move(complaint)};
    }
  }
  if (options.signKeyFor && options.authSecretFile.empty()) {
    return {std::nullopt, "--sign-key needs --auth-secret FILE"};
  }
  if (options.tlsPort && (options.tlsCertFile.empty() || options.tlsKeyFile.empty())) {
    return {std::nullopt, "--tls-port needs --tls-cert FILE and --tls-key FILE"};
  }
  if (!options.tlsPort && (options.tlsOnly || !options.tlsCertFile.empty() || !options.tlsKeyFile.empty())) {
    return {std::nullopt, "--tls-only, --tls-cert and --tls-key need --tls-port N"};
  }
  // One node's file against the cluster's shared history: refused rather than
  // leaving a node whose history differs from the others' (or a file unused).
  if (!options.historyDb.empty() && !options.clusterUrls.empty()) {
    return {std::nullopt, "--history-db and --cluster: a cluster keeps its history in Redis; leave out --history-db"};
  }
  return {options, {}};
}

std::string_view ServerUsage() {
  return "usage: orvinta-server [--port N] [--bind ADDR] [--http-port N] [--auth-secret FILE]\n"
         "                      [--tls-port N --tls-cert FILE --tls-key FILE [--tls-only]] [OPTION...]\n"
         "       orvinta-server --sign-key ID --auth-secret FILE [--key-lifetime SECONDS]\n"
         "  --port N              chat port (default 11900; 0 picks a free port)\n"
         "  --bind ADDR           IPv4 address to listen on (default 127.0.0.1)\n"
         "  --ping-interval S     seconds between keep-alive pings (default 30)\n"
         "  --room-capacity N     members per room (default 50)\n"
         "  --login-timeout S     seconds a new connection has to log in (default 10)\n"
         "  --http-port N         also serve the portal pages and /rooms.json (0 picks a port)\n"
         "  --portal-dir DIR      directory of the portal pages\n"
         "  --tls-port N          also accept TLS 1.2/1.3 connections on this port (0 picks a port)\n"
         "  --tls-cert FILE       its certificate chain (PEM); re-read with the key on SIGHUP\n"
         "  --tls-key FILE        its private key (PEM)\n"
         "  --tls-only            no clear-text chat port (--port is not opened)\n"
         "  --auth-secret FILE    verify session keys with the secret in FILE (without it:\n"
         "                        development mode, any key is accepted)\n"
         "  --dev-signin          keep the development sign-in /signin with --auth-secret (it\n"
         "                        hands any local caller a key for any id)\n"
         "  --sign-key ID         print a session key for ID (with --auth-secret) and stop\n"
         "  --key-lifetime S      seconds a key from --sign-key or the portal sign-in lasts (43200)\n"
         "  --quiet, --verbose    log nothing but failures / also every frame and line\n"
         "  --rate CLASS=R/B      R frames a second, bursts of B, per member; CLASS is talk (4/20),\n"
         "                        status (1/10), room (2/30), invite (0.2/5), vote (0.05/2),\n"
         "                        query (5/60), history (2/20: history requests), other (2/20:\n"
         "                        every other frame), flood (2/60: frames over the limits before\n"
         "                        the member is disconnected),\n"
         "                        login (0.2/5, per id) or address_login (2/30, per address);\n"
         "                        an id keeps its buckets across reconnects\n"
         "  --max-per-address N   chat connections per address (32)\n"
         "  --max-querying-per-address N  room-query connections per address (4)\n"
         "  --max-http-per-address N      HTTP connections per address (16)\n"
         "  --cap-loopback        apply the per-address caps to 127.0.0.0/8 too\n"
         "  --rooms-per-member N  rooms one member may have opened at a time (8)\n"
         "  --expel-minutes N     an expelled member may not come back for N minutes (10)\n"
         "  --output-budget-mb N  output queued for all connections together (256)\n"
         "  --flush-delay MS      under load, how long a member's lines gather before they are\n"
         "                        sent together (10; 0 sends each turn's lines at once)\n"
         "  --cluster redis://HOST:PORT  act as one with the other servers using this Redis\n"
         "                        (repeat it to spread rooms and ids over several)\n"
         "  --cluster-password-file FILE  Redis's password (AUTH)\n"
         "  --node-name NAME      this server's name in the cluster (host name and chat port)\n"
         "  --cluster-wait S      how long to wait for Redis at start before giving up (10)\n"
         "  --history-lines N     chat lines kept per room for clients that ask (1000; 0: none)\n"
         "  --history-days D      and none older than D days (7; 0: none kept)\n"
         "  --history-db FILE     keep them in this SQLite file, across restarts (else in memory;\n"
         "                        with --cluster they are kept in Redis)\n";
}

}  // namespace orvinta::server
