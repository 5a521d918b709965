#include "client/components/colour_picker/custom_colours.h"

namespace orvinta::components {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kColourBits = 0xFFFFFF;

}  // namespace

std::string CustomColourName(int index) { return "CUSTOM_COLOR_" + std::to_string(index); }

CustomColours LoadCustomColours(const SettingsStore* store, const std::string& section) {
  CustomColours colours;
  colours.fill(kWhite);
  if (!store) return colours;
  for (int i = 0; i < kCustomColourCount; ++i) {
    // A stored value is only ever a colour: stray high bits are dropped.
    if (const auto value = store->ReadNumber(section, CustomColourName(i))) colours[static_cast<std::size_t>(i)] = *value & kColourBits;
  }
  return colours;
}

void SaveCustomColours(SettingsStore* store, const std::string& section, const CustomColours& colours) {
  if (!store) return;
  for (int i = 0; i < kCustomColourCount; ++i) {
    store->WriteNumber(section, CustomColourName(i), colours[static_cast<std::size_t>(i)] & kColourBits);
  }
}

}  // namespace orvinta::components
