#include "webcontrol/quendel_settings.h"

#include <climits>

#include "text/text_util.h"

namespace orvinta::quendel {
namespace {

bool IsTrue(std::string_view text) { return text::EqualsIgnoreCase(text::Trim(text), "TRUE"); }

std::int32_t LeadingInt32(std::string_view text) {
  const long value = text::ParseLeadingInt(text::Trim(text));
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

std::string Trimmed(std::string_view text) { return std::string(text::Trim(text)); }

}  // namespace

QuendelSettings DeriveSettings(const SettingTexts& texts) {
  QuendelSettings settings;
  settings.AutoConnect = IsTrue(texts.AutoConnect);
  settings.ServerAddr = Trimmed(texts.ServerAddr);
  settings.UserSession = Trimmed(texts.UserSession);
  settings.UserID = Trimmed(texts.UserID);
  settings.UserNick = Trimmed(texts.UserNick);
  settings.UserIcon = LeadingInt32(texts.UserIcon);
  settings.Debug = IsTrue(texts.Debug);
  settings.RequireTls = IsTrue(texts.RequireTls);
  return settings;
}

SettingTexts SettingsToTexts(const QuendelSettings& settings) {
  return SettingTexts{settings.AutoConnect ? "TRUE" : "FALSE",
                      settings.ServerAddr,
                      settings.UserSession,
                      settings.UserID,
                      settings.UserNick,
                      std::to_string(settings.UserIcon),
                      settings.Debug ? "TRUE" : "FALSE",
                      settings.RequireTls ? "TRUE" : "FALSE"};
}

}  // namespace orvinta::quendel
