#pragma once
// Where Orvinta.cfg lives: beside the program when one stands there and can
// be written (a portable install), else in the user's configuration folder.
#include <functional>
#include <string>

namespace orvinta::config {

inline constexpr char kConfigFileName[] = "Orvinta.cfg";

struct ConfigPlaces {
  std::string programFolder;   // the folder of the running program
  std::string xdgConfigHome;   // $XDG_CONFIG_HOME, possibly empty
  std::string home;            // the user's home folder
  // True when a file stands at the path and this user may write it.
  std::function<bool(const std::string&)> isWritableFile;
};

// "" when no place can be named (no home and nothing beside the program).
std::string ChooseConfigPath(const ConfigPlaces& places);

// The same from the process's environment and file system.
std::string ConfigPathFor(const std::string& programFolder);

}  // namespace orvinta::config
