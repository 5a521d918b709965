#pragma once
// Work that enters from the event loop (a socket event, a timer, a user
// action, a hand-over) runs through Guarded once, at that entry: whatever
// escapes it is caught so that a bad frame or a failing view cannot take the
// program down, and it is written to the failure log, never dropped unseen.
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace orvinta {

// Where caught failures go. The default writes to standard error in debug
// builds only; programs add the traffic monitor when it is open.
using FailureSink = std::function<void(std::string_view where, std::string_view what)>;
void SetFailureSink(FailureSink sink);
void ReportFailure(std::string_view where, std::string_view what) noexcept;

template <typename Body>
void Guarded(std::string_view where, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (const std::exception& e) {
    ReportFailure(where, e.what());
  } catch (...) {
    ReportFailure(where, "unknown exception");
  }
}

template <typename Result, typename Body>
Result GuardedOr(std::string_view where, Result fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (const std::exception& e) {
    ReportFailure(where, e.what());
  } catch (...) {
    ReportFailure(where, "unknown exception");
  }
  return fallback;
}

}  // namespace orvinta
