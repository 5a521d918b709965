#pragma once
// The file system and the clock for saving, over POSIX.
#include "client/window/saving/saving_ports.h"

namespace orvinta::saving {

// The file system's name for a kept path: valid UTF-8 is already the
// platform's; anything else is a code page 949 path kept by an earlier
// version, converted (bytes that are not code page 949 are kept as they are).
std::string LocalPath(const std::string& path);

class LocalSaveFiles final : public SaveFiles {
 public:
  bool FolderExists(const std::string& folder) override;
  bool CreateFolder(const std::string& folder) override;
  bool WriteWhole(const std::string& path, std::string_view bytes) override;
};

using platform::SystemLocalClock;

}  // namespace orvinta::saving
