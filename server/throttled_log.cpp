#include "server/throttled_log.h"

namespace orvinta::server {

std::string_view LogKind(std::string_view line) {
  std::size_t end = line.find(' ');
  const std::string_view first = line.substr(0, end);
  if ((first == "refused" || first == "rate") && end != std::string_view::npos) end = line.find(' ', end + 1);
  return line.substr(0, end);
}

ThrottledLog::ThrottledLog(EventLog& out, const Clock& clock, RateRule rule)
    : out_(out), clock_(clock), pace_(rule) {}

void ThrottledLog::Write(std::string_view line) {
  const std::string_view kind = LogKind(line);
  auto it = kinds_.find(std::string(kind));
  if (it == kinds_.end()) {
    if (kinds_.size() >= kMaxKinds) kinds_.clear();  // cannot happen with the server's own words; bounded anyway
    it = kinds_.emplace(std::string(kind), Kind{}).first;
  }
  Kind& k = it->second;
  if (!TakeToken(k.fullAt, pace_, clock_.Now())) {
    ++k.leftOut;
    return;
  }
  if (k.leftOut > 0) {
    out_.Write("log: " + std::to_string(k.leftOut) + " \"" + std::string(kind) + "\" lines left out");
    k.leftOut = 0;
  }
  out_.Write(line);
}

}  // namespace orvinta::server
