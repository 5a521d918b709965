#pragma once
// Sound resources played with QSoundEffect; without an audio device nothing
// is heard and nothing fails.
#include <QSoundEffect>
#include <map>
#include <memory>

#include "platform/sound.h"

namespace orvinta::platform::qt {

class QtSound final : public Sound {
 public:
  void Play(int resourceId) override;

 private:
  std::map<int, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace orvinta::platform::qt
