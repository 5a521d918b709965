#include "server/server_metrics.h"

namespace orvinta::server {
namespace {

constexpr std::string_view kRefusalNames[kRefusalCount] = {
    "server_full",      "address_cap",   "querying_cap", "bad_login",       "bad_key",
    "expired_key",      "already_connected", "bad_room_key", "private_room", "expelled",
    "room_full",        "room_table",    "rooms_per_member", "rooms_created", "line_too_long",
    "flood",            "login_rate",
};

void Metric(std::string& out, std::string_view name, std::string_view type, std::string_view help) {
  out += "# HELP orvinta_";
  out += name;
  out += ' ';
  out += help;
  out += "\n# TYPE orvinta_";
  out += name;
  out += ' ';
  out += type;
  out += '\n';
}

void Sample(std::string& out, std::string_view name, std::string_view labels, std::uint64_t value) {
  out += "orvinta_";
  out += name;
  out += labels;
  out += ' ';
  out += std::to_string(value);
  out += '\n';
}

// A metric of one unlabelled sample.
void Single(std::string& out, std::string_view name, std::string_view type, std::string_view help,
            std::uint64_t value) {
  Metric(out, name, type, help);
  Sample(out, name, "", value);
}

}  // namespace

std::string_view RefusalName(Refusal r) { return kRefusalNames[static_cast<std::size_t>(r)]; }

std::string PrometheusText(const ServerMetrics& counters, const MetricsGauges& gauges) {
  std::string out;
  Single(out, "connections", "gauge", "Open chat connections.", gauges.connections);
  Single(out, "logged_in", "gauge", "Chat connections logged in.", gauges.loggedIn);
  Single(out, "connections_accepted_total", "counter", "Chat connections accepted.", counters.connectionsAccepted);
  Single(out, "logins_total", "counter", "Logins accepted.", counters.logins);
  Metric(out, "refusals_total", "counter", "Requests refused, by reason.");
  for (std::size_t i = 0; i < kRefusalCount; ++i) {
    Sample(out, "refusals_total", "{reason=\"" + std::string(kRefusalNames[i]) + "\"}", counters.refusals[i]);
  }
  Single(out, "rooms", "gauge", "Rooms with members.", gauges.rooms);
  Single(out, "deliveries_total", "counter", "Frames queued for a member.", counters.deliveries);
  Metric(out, "frames_dropped_total", "counter", "Frames dropped by a member's rate limit, by kind.");
  for (std::size_t i = 0; i < kRateClassCount; ++i) {
    Sample(out, "frames_dropped_total", "{kind=\"" + std::string(RateClassName(static_cast<RateClass>(i))) + "\"}",
           counters.framesDropped[i]);
  }
  Single(out, "send_calls_total", "counter", "send() calls on chat sockets (several deliveries may share one).",
         gauges.sendCalls);
  Single(out, "queued_output_bytes", "gauge", "Bytes waiting to be sent to members.", gauges.queuedOutputBytes);
  Metric(out, "peers_dropped_total", "counter", "Connections dropped for output they did not read.");
  Sample(out, "peers_dropped_total", "{cause=\"slow_reader\"}", gauges.peersDroppedSlow);
  Sample(out, "peers_dropped_total", "{cause=\"output_budget\"}", gauges.peersDroppedBudget);
  Single(out, "history_lines", "gauge", "Chat lines kept in the rooms' history.", gauges.history.lines);
  Single(out, "history_bytes", "gauge", "Bytes the kept lines take.", gauges.history.bytes);
  Single(out, "history_requests_total", "counter", "History requests answered.", counters.historyRequests);
  Single(out, "history_rows_written_total", "counter", "History lines written to its database or to Redis.",
         gauges.history.rowsWritten);
  Single(out, "history_lines_unkept_total", "counter",
         "Chat lines relayed without an id: the cluster's store could not take them.", gauges.history.unkept);
  Single(out, "history_reads_failed_total", "counter", "History requests refused: the cluster's store did not answer.",
         gauges.history.readsFailed);
  return out;
}

}  // namespace orvinta::server
