#include "protocol/guarded.h"

#include <cstdio>

namespace orvinta {
namespace {

FailureSink& Sink() {
  static FailureSink sink = [](std::string_view where, std::string_view what) {
#ifndef NDEBUG
    std::fprintf(stderr, "orvinta: %.*s failed: %.*s\n", static_cast<int>(where.size()), where.data(),
                 static_cast<int>(what.size()), what.data());
#else
    (void)where;
    (void)what;
#endif
  };
  return sink;
}

}  // namespace

void SetFailureSink(FailureSink sink) { Sink() = std::move(sink); }

void ReportFailure(std::string_view where, std::string_view what) noexcept {
  try {
    if (Sink()) Sink()(where, what);
  } catch (...) {
  }
}

}  // namespace orvinta
