#pragma once
// What the room log reaches the outside through. Paths are the file
// system's own bytes (UTF-8).
#include <string>
#include <string_view>

namespace orvinta::log {

class LogFiles {
 public:
  virtual ~LogFiles() = default;
  // The folder and every missing one above it, readable by the user alone.
  virtual bool MakeFolders(const std::string& folder) = 0;
  // Appends all of `bytes` to the file, creating it (readable by the user alone).
  virtual bool Append(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace orvinta::log
