#pragma once
// The settings record. Its values are process-wide: the main window, the
// settings dialog and the transcript saver all read and change one copy.
#include <string>
#include <string_view>

#include "client/components/config/config_archive.h"
#include "client/components/config/config_values.h"

namespace orvinta::config {

class CConfig {
 public:
  // The one copy for the whole program.
  static ConfigValues& Values();

  // Reads or writes the twenty fields in file order. Reading stops at the
  // first field that fails; the fields before it keep what was read and the
  // rest keep their previous values.
  static void Serialize(ConfigReader& archive, ConfigValues& values);
  static void Serialize(ConfigWriter& archive, const ConfigValues& values);
};

// The whole file for these values.
std::string StoreConfig(const ConfigValues& values);
// Reads as much of the file as is sound into values.
void LoadConfig(std::string_view bytes, ConfigValues& values);

}  // namespace orvinta::config
