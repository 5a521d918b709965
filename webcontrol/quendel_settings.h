#pragma once
// The control's persistent settings, the texts they are exchanged as, and
// the rules that turn one into the other. Texts are code page 949.
#include <cstdint>
#include <string>

namespace orvinta::quendel {

struct QuendelSettings {
  bool AutoConnect = false;
  std::string ServerAddr;
  std::string UserSession;
  std::string UserID;
  std::string UserNick;
  std::int32_t UserIcon = 0;
  bool Debug = false;
  bool RequireTls = false;  // a clear-text server address is refused, never tried
};

// The exchanged texts, in exchange order; absent ones stay empty.
struct SettingTexts {
  std::string AutoConnect;
  std::string ServerAddr;
  std::string UserSession;
  std::string UserID;
  std::string UserNick;
  std::string UserIcon;
  std::string Debug;
  std::string RequireTls;
};

// Property names, in exchange order, with the member each one fills.
struct SettingField {
  const char* name;
  std::string SettingTexts::*text;
};
inline constexpr SettingField kSettingFields[] = {
    {"AutoConnect", &SettingTexts::AutoConnect}, {"ServerAddr", &SettingTexts::ServerAddr},
    {"UserSession", &SettingTexts::UserSession}, {"UserID", &SettingTexts::UserID},
    {"UserNick", &SettingTexts::UserNick},       {"UserIcon", &SettingTexts::UserIcon},
    {"Debug", &SettingTexts::Debug},             {"RequireTls", &SettingTexts::RequireTls},
};

// Trims every text; switches are on for "TRUE" in any case; the icon is the
// leading decimal integer (0 without one).
QuendelSettings DeriveSettings(const SettingTexts& texts);

// The texts a save writes: "TRUE"/"FALSE" and the icon in decimal, so that
// loading them back gives the same settings.
SettingTexts SettingsToTexts(const QuendelSettings& settings);

}  // namespace orvinta::quendel
