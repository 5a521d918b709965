#include "client/components/colour_picker/more_colours.h"

#include <QColorDialog>

#include "client/components/colour_picker/custom_colours.h"
#include "client/components/input/colorref.h"

namespace orvinta::components {

void OpenMoreColours(QWidget* parent, std::uint32_t current, SettingsStore* store, const std::string& section,
                     std::function<void(std::optional<std::uint32_t>)> done) {
  const CustomColours custom = LoadCustomColours(store, section);
  for (int i = 0; i < kCustomColourCount; ++i) QColorDialog::setCustomColor(i, ToQColor(custom[static_cast<std::size_t>(i)]));

  auto* dialog = new QColorDialog(ToQColor(current), parent);
  dialog->setObjectName(QStringLiteral("moreColoursDialog"));
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog, store, section, done = std::move(done)](int result) {
    CustomColours kept;
    for (int i = 0; i < kCustomColourCount; ++i) kept[static_cast<std::size_t>(i)] = ToColorRef(QColorDialog::customColor(i));
    SaveCustomColours(store, section, kept);
    if (result == QDialog::Accepted) {
      done(ToColorRef(dialog->selectedColor()));
    } else {
      done(std::nullopt);
    }
  });
  dialog->open();
}

}  // namespace orvinta::components
