#include "client/shell/quiet_start.h"

namespace orvinta::shell {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string QuietEngineFlags(std::optional<std::string_view> current) {
  constexpr std::string_view kQuiet = "--log-level=3";
  if (!current || current->empty()) return std::string(kQuiet);
  if (current->find("--log-level") != std::string_view::npos) return std::string(*current);
  return std::string(*current) + " " + std::string(kQuiet);
}

std::string QuietLoggingRules(std::optional<std::string_view> current) {
  if (current && !current->empty()) return std::string(*current);
  return "qt.webenginecontext.info=false";
}

MessageVerdict SortMessage(std::string_view category, std::string_view message) {
  // The sandbox is turned off on purpose when running as root.
  if (category == "default" && message == "Sandboxing disabled by user.") return MessageVerdict::Drop;
  if (category == "qt.webenginecontext") return MessageVerdict::Drop;
  // The program turns OpenGL off itself: the pages are drawn in software.
  if (StartsWith(message, "QXcbIntegration: Cannot create platform OpenGL context")) return MessageVerdict::Drop;
  // Without a runtime folder the toolkit picks its own; the hand-over says so itself when it matters.
  if (StartsWith(message, "QStandardPaths: XDG_RUNTIME_DIR not set")) return MessageVerdict::Drop;
  if (StartsWith(message, "PulseAudioService:") || message == "No audio device detected") {
    return MessageVerdict::AudioMissing;
  }
  return MessageVerdict::Show;
}

std::string_view AudioMissingLine() { return "orvinta: no audio device; sounds are off"; }

}  // namespace orvinta::shell
