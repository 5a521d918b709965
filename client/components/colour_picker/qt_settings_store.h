#pragma once
// The settings store in an INI file through QSettings (stands in for the
// registry area of the application).
#include <QSettings>
#include <QString>

#include "client/components/colour_picker/settings_store.h"

namespace orvinta::components {

class QtSettingsStore final : public SettingsStore {
 public:
  explicit QtSettingsStore(const QString& iniFile) : settings_(iniFile, QSettings::IniFormat) {}

  std::optional<std::uint32_t> ReadNumber(const std::string& section, const std::string& name) const override;
  void WriteNumber(const std::string& section, const std::string& name, std::uint32_t value) override;
  void Flush() { settings_.sync(); }

 private:
  static QString Key(const std::string& section, const std::string& name);
  mutable QSettings settings_;
};

}  // namespace orvinta::components
