#pragma once
// The seam to the configuration file: the window reads its settings once at
// start (its placement, the header, footer and shortcut texts) and writes
// them, with its rectangle, when it closes.
#include "client/components/config/config_store.h"
#include "client/components/config/config_values.h"
#include "platform/window_host.h"

namespace orvinta::window {

class WindowConfigStore {
 public:
  virtual ~WindowConfigStore() = default;
  // The settings once the file has been read (the defaults when none is kept).
  virtual const config::ConfigValues& LoadConfig() = 0;
  // The window's normal (not maximised) rectangle first, then every setting.
  virtual void SaveConfig(const platform::WindowRect& normalRect) = 0;
};

// Over Orvinta.cfg and the process-wide settings.
class FileWindowConfigStore final : public WindowConfigStore {
 public:
  explicit FileWindowConfigStore(config::ConfigStore& store) : store_(store) {}
  const config::ConfigValues& LoadConfig() override { return store_.LoadConfig(); }
  void SaveConfig(const platform::WindowRect& normalRect) override { store_.SaveConfig(normalRect); }

 private:
  config::ConfigStore& store_;
};

}  // namespace orvinta::window
