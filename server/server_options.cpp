#include "server/server_options.h"

#include <arpa/inet.h>

#include <charconv>

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
};

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

constexpr OptionRule kRules[] = {
    {"--port", ApplyPort},
    {"--bind", ApplyBind},
    {"--ping-interval", ApplyPingInterval},
    {"--room-capacity", ApplyRoomCapacity},
    {"--login-timeout", ApplyLoginTimeout},
    {"--http-port", ApplyHttpPort},
    {"--portal-dir", ApplyPortalDir},
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
    if (!value) {
      if (i + 1 >= args.size()) return {std::nullopt, std::string(name) + " needs a value"};
      value = args[++i];
    }
    if (std::string complaint = rule->apply(options, *value); !complaint.empty()) {
      return {std::nullopt, std::move(complaint)};
    }
  }
  return {options, {}};
}

std::string_view ServerUsage() {
  return "usage: orvinta-server [--port N] [--bind ADDR] [--ping-interval SECONDS]\n"
         "                      [--room-capacity N] [--login-timeout SECONDS]\n"
         "                      [--http-port N] [--portal-dir DIR]\n"
         "  --port N              chat port (default 11900; 0 picks a free port)\n"
         "  --bind ADDR           IPv4 address to listen on (default 127.0.0.1)\n"
         "  --ping-interval S     seconds between keep-alive pings (default 30)\n"
         "  --room-capacity N     members per room (default 50)\n"
         "  --login-timeout S     seconds a new connection has to log in (default 10)\n"
         "  --http-port N         also serve the portal pages and /rooms.json (0 picks a port)\n"
         "  --portal-dir DIR      directory of the portal pages\n";
}

}  // namespace orvinta::server
