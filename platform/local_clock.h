#pragma once
// The local date and time, for names and stamps people read (saved
// transcripts, the room log); tests set it by hand.
#include <ctime>

namespace orvinta::platform {

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual std::tm Now() = 0;
};

class SystemLocalClock final : public LocalClock {
 public:
  std::tm Now() override;
};

}  // namespace orvinta::platform
