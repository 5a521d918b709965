#pragma once
// The seam to the configuration file: the window loads its saved placement
// at start and stores it when it closes. The file itself lives elsewhere.
#include "platform/window_host.h"

namespace orvinta::window {

class WindowConfigStore {
 public:
  virtual ~WindowConfigStore() = default;
  // The saved placement; zero sizes when none is saved.
  virtual platform::WindowRect LoadConfig() = 0;
  virtual void SaveConfig(const platform::WindowRect& placement) = 0;
};

}  // namespace orvinta::window
