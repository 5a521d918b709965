#pragma once
// The 16 custom colours of the full colour dialog, kept under the picker's
// section as "CUSTOM_COLOR_0" to "CUSTOM_COLOR_15". Missing values are white;
// without a store they start white and are not kept.
#include <array>
#include <cstdint>
#include <string>

#include "client/components/colour_picker/settings_store.h"

namespace orvinta::components {

inline constexpr int kCustomColourCount = 16;
using CustomColours = std::array<std::uint32_t, kCustomColourCount>;

std::string CustomColourName(int index);
CustomColours LoadCustomColours(const SettingsStore* store, const std::string& section);
void SaveCustomColours(SettingsStore* store, const std::string& section, const CustomColours& colours);

}  // namespace orvinta::components
