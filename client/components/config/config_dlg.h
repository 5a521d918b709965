#pragma once
// The settings dialog: header, footer and the F1-F10 texts. Modeless, one at
// a time; it deletes itself when closed.
#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <vector>

#include "client/components/config/config_dlg_logic.h"
#include "client/window/reading_preferences.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace orvinta::buttons {
class CImageButton;
}

namespace orvinta::config {

class CConfigDlg final : public QDialog {
  Q_OBJECT
 public:
  // saveConfig writes Orvinta.cfg (the main window's SaveConfig).
  CConfigDlg(ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig,
             QWidget* parent = nullptr);

  // Opens the dialog over the main window's rectangle unless one is open
  // already (slot then keeps it). slot empties itself when the dialog goes.
  static void Open(QPointer<CConfigDlg>& slot, QWidget* mainWindow, const platform::WindowRect& mainRect,
                   ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig);

  // The inner size. With the frame of the desktop it was laid out for, the
  // window measures 350 x 480.
  static constexpr int kClientWidth = 344;
  static constexpr int kClientHeight = 451;

  // A second page with the reading choices (kept in orvinta.conf): a button in
  // the bottom band turns between the pages; each tick applies at once and
  // goes to `changed`. Once per dialog; later calls only refresh the ticks.
  using ReadingChanged = std::function<void(const window::ReadingPreferences&)>;
  void OfferReadingChoices(const window::ReadingPreferences& current, ReadingChanged changed);
  void ShowReadingPage(bool shown);

  // Control ids, as the main window and tests know them.
  enum Id { kSave = 1091, kReset = 1092 };

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  void OnSave();
  void OnReset();

  void BuildReadingPage();

  ConfigDlgLogic logic_;
  std::array<QLineEdit*, kEditCount> edits_{};
  QComboBox* skin_ = nullptr;
  // The reading page.
  window::ReadingPreferences reading_;
  ReadingChanged readingChanged_;
  QWidget* readingPage_ = nullptr;
  QToolButton* pageButton_ = nullptr;
  std::vector<QWidget*> firstPage_;  // shown again when the reading page is left
  std::array<QCheckBox*, 4> readingBoxes_{};
  QSpinBox* entryHistory_ = nullptr;  // lines of a room's history shown on entry
};

}  // namespace orvinta::config
