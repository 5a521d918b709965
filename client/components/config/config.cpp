#include "client/components/config/config.h"

namespace orvinta::config {

ConfigValues& CConfig::Values() {
  static ConfigValues values;
  return values;
}

void CConfig::Serialize(ConfigReader& ar, ConfigValues& v) {
  // Each read leaves its field alone on failure and fails every read after it.
  ar.ReadInt32(v.WindowLeft);
  ar.ReadInt32(v.WindowTop);
  ar.ReadInt32(v.WindowWidth);
  ar.ReadInt32(v.WindowHeight);
  ar.ReadString(v.SaveFolder);
  ar.ReadString(v.Header);
  ar.ReadString(v.Footer);
  for (std::string& text : v.Shortcut) ar.ReadString(text);
  for (std::string& text : v.Reserved) ar.ReadString(text);
  ar.ReadInt32(v.Skin);
}

void CConfig::Serialize(ConfigWriter& ar, const ConfigValues& v) {
  ar.WriteInt32(v.WindowLeft);
  ar.WriteInt32(v.WindowTop);
  ar.WriteInt32(v.WindowWidth);
  ar.WriteInt32(v.WindowHeight);
  ar.WriteString(v.SaveFolder);
  ar.WriteString(v.Header);
  ar.WriteString(v.Footer);
  for (const std::string& text : v.Shortcut) ar.WriteString(text);
  for (const std::string& text : v.Reserved) ar.WriteString(text);
  ar.WriteInt32(v.Skin);
}

std::string StoreConfig(const ConfigValues& values) {
  ConfigWriter writer;
  CConfig::Serialize(writer, values);
  return writer.Bytes();
}

void LoadConfig(std::string_view bytes, ConfigValues& values) {
  ConfigReader reader(bytes);
  CConfig::Serialize(reader, values);
}

}  // namespace orvinta::config
