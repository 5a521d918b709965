#pragma once
// A quiet standard error: the browser engine's and the audio backend's
// start-up chatter is not the user's business. ORVINTA_VERBOSE shows it all.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::shell {

// QTWEBENGINE_CHROMIUM_FLAGS with the engine's own log limited to fatal
// errors, unless the user chose a level; `current` is the value set, if any.
std::string QuietEngineFlags(std::optional<std::string_view> current);

// QT_LOGGING_RULES: the engine context's report off; a value the user set is kept.
std::string QuietLoggingRules(std::optional<std::string_view> current);

enum class MessageVerdict {
  Show,
  Drop,         // expected chatter
  AudioMissing  // the audio backend found no device: said once, in one line
};

// Sorts one message of the toolkit by its category and text.
MessageVerdict SortMessage(std::string_view category, std::string_view message);

// The one line that stands for every audio-backend complaint.
std::string_view AudioMissingLine();

}  // namespace orvinta::shell
