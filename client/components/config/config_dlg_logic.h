#pragma once
// What the settings dialog does, apart from drawing it: the twelve texts it
// edits, their byte limits, saving, resetting and where it opens.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "client/components/config/config_values.h"
#include "platform/message_box.h"
#include "platform/window_host.h"

namespace orvinta::config {

// Header, footer, F1 .. F10, in the dialog's order.
inline constexpr std::size_t kEditCount = 2 + kShortcutCount;
using EditTexts = std::array<std::string, kEditCount>;

inline constexpr int kDialogWidth = 350;
inline constexpr int kDialogHeight = 480;

// The most code page 949 bytes each edit takes: 20, 20, then 50 for each shortcut.
std::size_t EditLimit(std::size_t edit);

// Whether UTF-8 text typed into an edit may stand: every character must exist
// in code page 949 and the whole must fit the edit's limit in its bytes.
bool FitsEdit(std::size_t edit, std::string_view utf8);

// Whether an edit's text may change from `before` to `after` (UTF-8): the
// limit restricts typing only. A file can hold a longer text than anyone can
// type; it is shown whole, and may be shortened or kept.
bool AcceptsEdit(std::size_t edit, std::string_view before, std::string_view after);

// White space removed at both ends. Code page 949 trail bytes are never
// ASCII white space, so a double-byte character is never cut.
std::string TrimCp949(std::string_view text);

// Centred over the main window, never left of or above the screen's origin.
platform::WindowRect ConfigDlgPlacement(const platform::WindowRect& mainWindow);

class ConfigDlgLogic {
 public:
  // saveConfig writes the file (the main window's SaveConfig).
  ConfigDlgLogic(ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig);

  EditTexts Texts() const;
  // "GREEN" when Skin is 1, else "BLUE".
  std::string SkinText() const;

  // Stores the trimmed texts and the skin ("GREEN" gives 1), then writes the
  // file; the dialog closes afterwards.
  void Save(const EditTexts& texts, std::string_view skinText);
  // Asks first; on yes empties the twelve texts (folder, rectangle and skin
  // stay) and writes the file. True when the dialog must empty its edits.
  bool Reset();

 private:
  ConfigValues& values_;
  platform::MessageBoxes& boxes_;
  std::function<void()> saveConfig_;
};

}  // namespace orvinta::config
