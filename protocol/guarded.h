#pragma once
// Operations of the session, the window and the control catch whatever escapes
// them and return as if they had done nothing: a bad frame or a failing view
// must not take the program down with it.
#include <utility>

namespace orvinta {

template <typename Body>
void Guarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

template <typename Result, typename Body>
Result GuardedOr(Result fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
  }
}

}  // namespace orvinta
