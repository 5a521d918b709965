#pragma once
// What saving a transcript reaches the outside through. Texts are code page
// 949 bytes; paths are the platform's own bytes, as the file system takes
// them, so that a folder whose name code page 949 cannot write still works.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/html_view.h"
#include "platform/local_clock.h"

namespace orvinta::saving {

struct SaveDialogRequest {
  std::string caption;
  std::string filters;        // "Text(*.x)|*.x|...||", as the dialog's filter list
  std::string defaultSuffix;  // added when the chosen name has none
  std::string folder;         // where the dialog opens (a platform path)
  std::string fileName;       // proposed name (in the platform's encoding)
  bool promptOverwrite = true;
};

// The desktop: the save-as dialog and the user's documents folder.
class SaveDesktop {
 public:
  virtual ~SaveDesktop() = default;
  // The chosen path, the platform's; nullopt when cancelled.
  virtual std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request) = 0;
  virtual std::string DocumentsFolder() = 0;
};

class SaveFiles {
 public:
  virtual ~SaveFiles() = default;
  virtual bool FolderExists(const std::string& folder) = 0;
  // One level, as a missing save folder is made again.
  virtual bool CreateFolder(const std::string& folder) = 0;
  // All of bytes or, on failure, the old file untouched.
  virtual bool WriteWhole(const std::string& path, std::string_view bytes) = 0;
};

using platform::LocalClock;

// The window's transcripts, found by channel name when they are read.
class TranscriptSource {
 public:
  virtual ~TranscriptSource() = default;
  // Reads the channel's transcript as the saved file holds it; false when
  // the channel is no longer open (the callback then never comes).
  virtual bool ReadTranscript(const std::string& channel, platform::HtmlView::HtmlCallback callback) = 0;
};

}  // namespace orvinta::saving
