#pragma once
// Starting programs and opening addresses, as the desktop's "open" does.
#include <string>

namespace orvinta::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts the program detached with one argument; the result is not waited for.
  virtual bool OpenProgram(const std::string& path, const std::string& argument) = 0;
  // Opens the address with the desktop's default browser.
  virtual bool OpenUrl(const std::string& address) = 0;
};

}  // namespace orvinta::platform
