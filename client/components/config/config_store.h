#pragma once
// The main window's LoadConfig and SaveConfig: Orvinta.cfg read into and
// written from the process-wide values.
#include <string>

#include "client/components/config/config_file.h"
#include "platform/message_box.h"
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

  // The first save that fails is told to the user in this box; later ones
  // are not (the settings stay in force for the run either way).
  void ReportFailedSaveIn(platform::MessageBoxes* boxes) { boxes_ = boxes; }

 private:
  bool Saved(bool ok);

  ConfigFile file_;
  platform::MessageBoxes* boxes_ = nullptr;
  bool failureTold_ = false;
};

}  // namespace orvinta::config
