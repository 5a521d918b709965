#pragma once
// Numbers kept between runs, by section and name (the place the picker keeps
// its custom colours). Values read back are whatever was stored: untrusted.
#include <cstdint>
#include <optional>
#include <string>

namespace orvinta::components {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::uint32_t> ReadNumber(const std::string& section, const std::string& name) const = 0;
  virtual void WriteNumber(const std::string& section, const std::string& name, std::uint32_t value) = 0;
};

}  // namespace orvinta::components
