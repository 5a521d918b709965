#pragma once
// "More Colors...": Qt's own full colour dialog (so the custom colours are
// honoured), opened with the current colour and the 16 kept custom colours;
// the custom colours are written back however it closes.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "client/components/colour_picker/settings_store.h"

namespace orvinta::components {

// Opens the dialog window-modal and returns at once; `done` gets the chosen
// colour, or nothing when the dialog was cancelled.
void OpenMoreColours(QWidget* parent, std::uint32_t current, SettingsStore* store, const std::string& section,
                     std::function<void(std::optional<std::uint32_t>)> done);

}  // namespace orvinta::components
