#include "client/app/reading_settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace orvinta::app {
namespace {

struct Key {
  const char* name;
  bool window::ReadingPreferences::*field;
};
constexpr Key kKeys[] = {
    {"reading/highlightMentions", &window::ReadingPreferences::highlightMentions},
    {"reading/notifications", &window::ReadingPreferences::notifications},
    {"reading/trayIcon", &window::ReadingPreferences::trayIcon},
    {"reading/roomLog", &window::ReadingPreferences::roomLog},
};

constexpr char kEntryHistoryKey[] = "reading/entryHistoryLines";

// Only "true" and "false" (as QSettings writes them) or 1 and 0 are taken;
// QVariant would read any other text as true.
void ReadBool(const QSettings& settings, const char* key, bool& value) {
  const QString text = settings.value(QString::fromLatin1(key)).toString().trimmed().toLower();
  if (text == QLatin1String("true") || text == QLatin1String("1")) value = true;
  if (text == QLatin1String("false") || text == QLatin1String("0")) value = false;
}

// A whole number, held to the setting's range; any other text keeps the default.
void ReadLineCount(const QSettings& settings, const char* key, int& value) {
  bool number = false;
  const qlonglong read = settings.value(QString::fromLatin1(key)).toString().trimmed().toLongLong(&number);
  if (number) value = static_cast<int>(std::clamp<qlonglong>(read, 0, window::kMaxEntryHistoryLines));
}

}  // namespace

QString ReadingSettingsPathBeside(const std::string& configPath) {
  if (configPath.empty()) return {};
  const QString folder = QFileInfo(QFile::decodeName(configPath.c_str())).absolutePath();
  return QDir(folder).filePath(QStringLiteral("orvinta.conf"));
}

window::ReadingPreferences ReadingSettingsFile::Load() const {
  window::ReadingPreferences preferences;
  if (path_.isEmpty()) return preferences;
  const QSettings settings(path_, QSettings::IniFormat);
  for (const Key& key : kKeys) ReadBool(settings, key.name, preferences.*key.field);
  ReadLineCount(settings, kEntryHistoryKey, preferences.entryHistoryLines);
  return preferences;
}

bool ReadingSettingsFile::Save(const window::ReadingPreferences& preferences) const {
  if (path_.isEmpty()) return false;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSettings settings(path_, QSettings::IniFormat);
  for (const Key& key : kKeys) settings.setValue(QString::fromLatin1(key.name), preferences.*key.field);
  settings.setValue(QString::fromLatin1(kEntryHistoryKey), preferences.entryHistoryLines);
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace orvinta::app
