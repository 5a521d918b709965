#pragma once
// Records what would have been started or opened.
#include <string>
#include <vector>

#include "platform/shell.h"

namespace orvinta::fakes {

class FakeShell final : public platform::Shell {
 public:
  bool OpenProgram(const std::string& path, const std::string& argument) override {
    programs.push_back(path + " " + argument);
    return true;
  }
  bool OpenUrl(const std::string& address) override {
    urls.push_back(address);
    return true;
  }
  std::vector<std::string> programs;
  std::vector<std::string> urls;
};

}  // namespace orvinta::fakes
