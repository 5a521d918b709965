#pragma once
// Orvinta.cfg on the disk: read once at start, written whole on every change.
#include <string>

#include "client/components/config/config_values.h"

namespace orvinta::config {

class ConfigFile {
 public:
  // An empty path keeps nothing: loading leaves the values, saving fails.
  explicit ConfigFile(std::string path) : path_(std::move(path)) {}

  // A missing, unreadable or short file changes only what it soundly holds.
  void Load(ConfigValues& values) const;
  // Creates the folder when missing; the old file stays whole if writing fails.
  bool Save(const ConfigValues& values) const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace orvinta::config
