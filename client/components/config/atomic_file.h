#pragma once
// Files written whole or not at all. Paths are the local file system's bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::config {

// Writes bytes to a temporary file beside path, flushes it to the disk and
// renames it over path, so a crash or a full disk leaves the old file as it
// was. An existing file's permissions carry over. False when anything failed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// At most limit bytes of the file; nullopt when it cannot be read.
std::optional<std::string> ReadFileBounded(const std::string& path, std::size_t limit);

// Creates the folder and any missing parents (mode 0700 for new ones).
bool MakeFolders(const std::string& path);

// The folder part of a path (up to its last '/'), "" when it has none.
std::string FolderOf(const std::string& path);

}  // namespace orvinta::config
