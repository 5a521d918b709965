#include "protocol/failure_log.h"

#include <cstdio>
#include <string>

#include "protocol/guarded.h"

namespace orvinta::protocol {

void LogFailuresTo(platform::TrafficLog* log) {
  SetFailureSink([log](std::string_view where, std::string_view what) {
#ifndef NDEBUG
    std::fprintf(stderr, "orvinta: %.*s failed: %.*s\n", static_cast<int>(where.size()), where.data(),
                 static_cast<int>(what.size()), what.data());
#endif
    if (log) log->AddLine("!!! " + std::string(where) + " failed: " + std::string(what) + "\r\n", kFailureColour);
  });
}

}  // namespace orvinta::protocol
