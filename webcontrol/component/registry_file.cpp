#include "webcontrol/component/registry_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace orvinta::com {
namespace {

constexpr std::string_view kHeader = "; Orvinta component registry\n";
constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out.push_back(c);
    }
  }
  out.push_back('"');
  return out;
}

// Reads a quoted text at the front of `line`, consuming it.
std::optional<std::string> Unquote(std::string_view& line) {
  if (line.empty() || line.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      line.remove_prefix(i + 1);
      return out;
    }
    if (c != '\\') {
      out.push_back(c);
      continue;
    }
    if (++i == line.size()) return std::nullopt;
    switch (line[i]) {
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case '"':
      case '\\': out.push_back(line[i]); break;
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

bool IsValidKey(std::string_view key) {
  return !key.empty() && key.find_first_of("[]\n\r") == std::string_view::npos && key.front() != '\\' &&
         key.back() != '\\';
}

bool IsBelow(std::string_view candidate, std::string_view key) {
  return candidate.size() > key.size() + 1 && NamesEqual(candidate.substr(0, key.size()), key) &&
         candidate[key.size()] == '\\';
}

}  // namespace

std::filesystem::path RegistryFile::DefaultPath() {
  if (const char* path = std::getenv("ORVINTA_COMPONENT_REGISTRY"); path && *path) return path;
  std::filesystem::path base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    base = "/tmp";
  }
  return base / "orvinta" / "components.reg";
}

bool RegistryFile::Load() {
  keys_.clear();
  std::error_code error;
  if (!std::filesystem::exists(path_, error)) return !error;
  if (std::filesystem::file_size(path_, error) > kMaxFileSize || error) return false;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  return in.good() || in.eof() ? FromText(text.str()) : false;
}

bool RegistryFile::Save() const {
  std::error_code error;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), error);
  if (error) return false;
  std::filesystem::path temporary = path_;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << ToText();
    out.flush();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path_, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

std::string RegistryFile::ToText() const {
  std::string text(kHeader);
  for (const auto& [key, values] : keys_) {
    text += "\n[" + key + "]\n";
    for (const auto& [name, value] : values) {
      text += (name.empty() ? std::string("@") : Quote(name)) + "=" + Quote(value) + "\n";
    }
  }
  return text;
}

bool RegistryFile::FromText(std::string_view text) {
  keys_.clear();
  Values* current = nullptr;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return false;
      const std::string_view key = line.substr(1, line.size() - 2);
      if (!IsValidKey(key)) return false;
      current = &keys_[std::string(key)];
      continue;
    }
    if (!current) return false;
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = Unquote(line);
      if (!quoted) return false;
      name = std::move(*quoted);
    }
    if (line.empty() || line.front() != '=') return false;
    line.remove_prefix(1);
    auto value = Unquote(line);
    if (!value || !line.empty()) return false;
    (*current)[name] = std::move(*value);
  }
  return true;
}

void RegistryFile::CreateKey(std::string_view key) {
  if (IsValidKey(key)) keys_[std::string(key)];
}

void RegistryFile::SetValue(std::string_view key, std::string_view name, std::string_view value) {
  if (IsValidKey(key)) keys_[std::string(key)][std::string(name)] = std::string(value);
}

std::optional<std::string> RegistryFile::GetValue(std::string_view key, std::string_view name) const {
  const auto k = keys_.find(key);
  if (k == keys_.end()) return std::nullopt;
  const auto v = k->second.find(name);
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

bool RegistryFile::HasKey(std::string_view key) const {
  for (const auto& [candidate, values] : keys_) {
    if (NamesEqual(candidate, key) || IsBelow(candidate, key)) return true;
  }
  return false;
}

void RegistryFile::DeleteTree(std::string_view key) {
  std::erase_if(keys_, [key](const auto& entry) { return NamesEqual(entry.first, key) || IsBelow(entry.first, key); });
}

std::vector<std::string> RegistryFile::SubKeys(std::string_view key) const {
  std::vector<std::string> names;
  for (const auto& [candidate, values] : keys_) {
    if (!IsBelow(candidate, key)) continue;
    std::string_view rest = std::string_view(candidate).substr(key.size() + 1);
    rest = rest.substr(0, rest.find('\\'));
    if (names.empty() || !NamesEqual(names.back(), rest)) names.emplace_back(rest);
  }
  return names;
}

}  // namespace orvinta::com
