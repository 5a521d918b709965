#pragma once
// What the main window's logic asks of its popups. The real one is
// PromptPopups (over a Qt window in QtPromptPopups); tests put a recorder here.
#include <string>

#include "client/components/notifier/notifier_answer.h"

namespace orvinta::components {

class PromptPort {
 public:
  virtual ~PromptPort() = default;
  // Answers come back through this handler, once per invitation or vote (a
  // notice never answers). The owner sets an empty handler before it goes away.
  virtual void SetAnswerHandler(AnswerHandler handler) = 0;
  // An invitation or a vote, with the window's settings for its kind.
  virtual void ShowPrompt(NotifierKind kind, std::string text, NotifierData data) = 0;
  // The expulsion notice: no buttons, no answer.
  virtual void ShowNotice(std::string text) = 0;
};

}  // namespace orvinta::components
