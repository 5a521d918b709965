#include "client/app/quiet_output.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "client/shell/quiet_start.h"

namespace orvinta::app {
namespace {

QtMessageHandler previousHandler = nullptr;

std::optional<std::string_view> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string_view(value);
}

void FilterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const QByteArray text = message.toUtf8();
  const std::string_view category = context.category ? context.category : "default";
  switch (shell::SortMessage(category, std::string_view(text.constData(), static_cast<std::size_t>(text.size())))) {
    case shell::MessageVerdict::Drop:
      return;
    case shell::MessageVerdict::AudioMissing: {
      static bool said = false;
      if (!said) std::fprintf(stderr, "%s\n", shell::AudioMissingLine().data());
      said = true;
      return;
    }
    case shell::MessageVerdict::Show:
      break;
  }
  if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void QuietStandardError() {
  const auto verbose = Environment("ORVINTA_VERBOSE");
  if (verbose && !verbose->empty() && *verbose != "0") return;
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", shell::QuietEngineFlags(Environment("QTWEBENGINE_CHROMIUM_FLAGS")).c_str(), 1);
  setenv("QT_LOGGING_RULES", shell::QuietLoggingRules(Environment("QT_LOGGING_RULES")).c_str(), 1);
  previousHandler = qInstallMessageHandler(FilterMessage);
}

}  // namespace orvinta::app
