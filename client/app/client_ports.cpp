#include "client/app/client_ports.h"

#include "client/shell/launch_link.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/cp949.h"

#ifndef ORVINTA_BIN_TO_DATA
#define ORVINTA_BIN_TO_DATA "../share/orvinta"
#endif

namespace orvinta::app {

std::string ExecutablePath(const char* argv0) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.string();
  return std::filesystem::absolute(argv0, error).string();
}

void PrepareProcessEnvironment(const char* argv0) {
  const auto dir = std::filesystem::path(ExecutablePath(argv0)).parent_path();
  std::error_code error;
  // Beside the program in its build folder; share/orvinta once installed.
  auto fonts = dir / "orvinta-fonts.conf";
  if (!std::filesystem::exists(fonts, error)) fonts = (dir / ORVINTA_BIN_TO_DATA / "orvinta-fonts.conf").lexically_normal();
  if (!std::getenv("FONTCONFIG_FILE") && std::filesystem::exists(fonts, error)) {
    setenv("FONTCONFIG_FILE", fonts.c_str(), 0);
  }
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  // The portal's pages are composed in software: with a page in the window
  // composed by OpenGL, every repaint of the transcript would compose the
  // whole window through it, which without a GPU costs a core at 1,000 lines
  // a second.
  setenv("QT_QUICK_BACKEND", "software", 0);
  // Nothing else in the window draws with OpenGL: without it the toolkit does
  // not load the system's GL driver (with a software one, some 30 MiB).
  setenv("QT_XCB_GL_INTEGRATION", "none", 0);
}

std::string LaunchText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text.push_back(' ');
    text.append(argv[i]);
  }
  return platform::FromLocalText(shell::DecodeLaunchLink(text));
}

}  // namespace orvinta::app
