#pragma once

namespace orvinta::platform {

// Plays one of the program's sound resources asynchronously; silent where
// the machine has no audio device.
class Sound {
 public:
  virtual ~Sound() = default;
  virtual void Play(int resourceId) = 0;
};

}  // namespace orvinta::platform
