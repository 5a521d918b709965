#pragma once
// What the room log reaches the outside through. Paths are the file
// system's own bytes (UTF-8).
#include <string>
#include <string_view>

namespace orvinta::log {

enum class LogWrite {
  Written,
  Failed,   // the file could not be written this time
  Refused,  // a folder or the file is not the user's own, private, plain folder or file
};

class LogFiles {
 public:
  virtual ~LogFiles() = default;
  // Appends all of `bytes` to the file, creating it and its missing folders
  // (readable by the user alone).
  virtual LogWrite Append(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace orvinta::log
