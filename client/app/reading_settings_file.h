#pragma once
// The reading choices in orvinta.conf beside Orvinta.cfg, in a [reading]
// section of their own (QSettings, INI). Orvinta.cfg is never touched.
#include <QString>
#include <string>

#include "client/window/reading_preferences.h"

namespace orvinta::app {

// orvinta.conf in the folder of Orvinta.cfg; "" when Orvinta.cfg has no place.
QString ReadingSettingsPathBeside(const std::string& configPath);

class ReadingSettingsFile {
 public:
  explicit ReadingSettingsFile(QString path) : path_(std::move(path)) {}

  // Missing or unreadable values keep their defaults.
  window::ReadingPreferences Load() const;
  // False when the file could not be written (the choices hold for the run).
  bool Save(const window::ReadingPreferences& preferences) const;

 private:
  QString path_;
};

}  // namespace orvinta::app
