#include "server/event_log.h"

#include <cstdio>
#include <ctime>

#include "platform/cp949.h"

namespace orvinta::server {

std::string LogText(std::string_view cp949, std::size_t maxBytes) {
  const bool cut = cp949.size() > maxBytes;
  const std::string utf8 = platform::Cp949ToUtf8Lossy(cut ? cp949.substr(0, maxBytes) : cp949);
  std::string out;
  out.reserve(utf8.size() + 2);
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  if (cut) out += "...";
  return out;
}

void StderrLog::Write(std::string_view line) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
  std::fprintf(stderr, "%s %.*s\n", stamp, static_cast<int>(line.size()), line.data());
}

}  // namespace orvinta::server
