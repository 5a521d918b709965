#pragma once
// Starting programs detached and opening addresses with the desktop's browser.
#include "platform/shell.h"

namespace orvinta::platform::qt {

class QtShell final : public Shell {
 public:
  bool OpenProgram(const std::string& path, const std::string& argument) override;
  bool OpenUrl(const std::string& address) override;
};

}  // namespace orvinta::platform::qt
