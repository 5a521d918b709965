#include "client/components/config/config.h"

namespace orvinta::config {

ConfigValues& CConfig::Values() {
  static ConfigValues values;
  return values;
}

namespace {

// The twenty fields in file order, for reading and for writing alike. A
// failed read leaves its field alone and fails every read after it.
template <typename Archive, typename Values>
void SerializeFields(Archive& ar, Values& v) {
  ar.Field(v.WindowLeft);
  ar.Field(v.WindowTop);
  ar.Field(v.WindowWidth);
  ar.Field(v.WindowHeight);
  ar.Field(v.SaveFolder);
  ar.Field(v.Header);
  ar.Field(v.Footer);
  for (auto& text : v.Shortcut) ar.Field(text);
  for (auto& text : v.Reserved) ar.Field(text);
  ar.Field(v.Skin);
}

}  // namespace

void CConfig::Serialize(ConfigReader& ar, ConfigValues& v) { SerializeFields(ar, v); }

void CConfig::Serialize(ConfigWriter& ar, const ConfigValues& v) { SerializeFields(ar, v); }

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
