#pragma once
// The save button: asks for a file, reads the room's transcript, and writes
// it whole. The room is the one current when the button was clicked, found
// again by name when its transcript arrives.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "client/components/config/config_values.h"
#include "client/window/saving/saving_ports.h"
#include "platform/message_box.h"

namespace orvinta::saving {

struct SavingPorts {
  SaveDesktop& desktop;
  SaveFiles& files;
  platform::MessageBoxes& boxes;
  LocalClock& clock;
  TranscriptSource& transcripts;
};

// The room current when the button was clicked.
struct SaveTarget {
  std::string channel;  // its channel name, to find it again
  std::string title;    // its title, for the proposed file name
  bool waitingRoom = false;
};

class TranscriptSaver {
 public:
  // saveConfig writes the configuration file (the main window's SaveConfig).
  TranscriptSaver(SavingPorts ports, config::ConfigValues& values, std::function<void()> saveConfig);
  ~TranscriptSaver();
  TranscriptSaver(const TranscriptSaver&) = delete;
  TranscriptSaver& operator=(const TranscriptSaver&) = delete;

  // No room or the waiting room: a message. Otherwise the file dialog, then
  // the transcript is read and, when it is not empty, written.
  void OnBnClickedButtonSave(const std::optional<SaveTarget>& current);

  // Runs the dialog; the chosen path (its folder remembered and the
  // configuration written), or "" when cancelled.
  std::string ChooseFile(const std::string& title);

 private:
  void Write(const std::string& path, const std::string& html);

  SavingPorts ports_;
  config::ConfigValues& values_;
  std::function<void()> saveConfig_;
  // Reads still under way when the saver goes write nothing.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orvinta::saving
