#pragma once
// Where Orvinta.cfg lives: beside the program when one stands there and it
// and its folder can be written (a portable install: each save replaces the
// file through a new one in that folder), else in the user's configuration folder.
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
  // True when this user may make files in the folder.
  std::function<bool(const std::string&)> isWritableFolder;
};

// "" when no place can be named (no home and nothing beside the program).
std::string ChooseConfigPath(const ConfigPlaces& places);

// The same from the process's environment and file system.
std::string ConfigPathFor(const std::string& programFolder);

}  // namespace orvinta::config
