#pragma once
// The main window's LoadConfig and SaveConfig: Orvinta.cfg read into and
// written from the process-wide values.
#include <string>

#include "client/components/config/config_file.h"
#include "platform/window_host.h"

namespace orvinta::config {

class ConfigStore {
 public:
  // path: see ConfigPathFor; "" keeps nothing.
  explicit ConfigStore(std::string path) : file_(std::move(path)) {}

  // Once, before the window is placed. A missing or broken file leaves the
  // values as they are (the defaults at start).
  const ConfigValues& LoadConfig();
  // All fields, at once; false when the file could not be written (the
  // values stay in force for the run).
  bool SaveConfig();
  // On close: the window's normal (not maximised) rectangle first.
  bool SaveConfig(const platform::WindowRect& normalRect);

  const std::string& Path() const { return file_.Path(); }

 private:
  ConfigFile file_;
};

}  // namespace orvinta::config
