#pragma once
// The popup that asks the user about an invitation or an expulsion vote. It
// answers later through the main window's OnCopyData with 0x505 (invitation)
// or 0x506 (vote): "TRUE|" or "FALSE|" followed by the five data strings
// joined with "|".
#include <array>
#include <string>

namespace orvinta::window {

enum class PromptKind { Invitation = 1, Vote = 2 };

class PromptNotifier {
 public:
  virtual ~PromptNotifier() = default;
  virtual void ShowPrompt(PromptKind kind, const std::string& text, const std::array<std::string, 5>& data) = 0;
  // A popup without answer buttons (the expulsion notice).
  virtual void ShowNotice(const std::string& text) = 0;
};

}  // namespace orvinta::window
