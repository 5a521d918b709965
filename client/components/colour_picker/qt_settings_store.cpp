#include "client/components/colour_picker/qt_settings_store.h"

#include "platform/qt/qt_text.h"

namespace orvinta::components {

QString QtSettingsStore::Key(const std::string& section, const std::string& name) {
  return platform::qt::FromCp949(section) + QLatin1Char('/') + platform::qt::FromCp949(name);
}

std::optional<std::uint32_t> QtSettingsStore::ReadNumber(const std::string& section, const std::string& name) const {
  const QVariant value = settings_.value(Key(section, name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const qulonglong number = value.toString().trimmed().toULongLong(&ok);
  if (!ok || number > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(number);
}

void QtSettingsStore::WriteNumber(const std::string& section, const std::string& name, std::uint32_t value) {
  settings_.setValue(Key(section, name), QString::number(value));
}

}  // namespace orvinta::components
