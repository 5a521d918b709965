#pragma once
// Popups that record what they were asked to show and answer when the test says.
#include <string>
#include <vector>

#include "client/components/notifier/prompt_port.h"

namespace orvinta::fakes {

class FakePromptPort final : public components::PromptPort {
 public:
  struct Prompt {
    components::NotifierKind kind;
    std::string text;
    components::NotifierData data;
  };
  void SetAnswerHandler(components::AnswerHandler handler) override { handler_ = std::move(handler); }
  void ShowPrompt(components::NotifierKind kind, std::string text, components::NotifierData data) override {
    prompts.push_back({kind, std::move(text), std::move(data)});
  }
  void ShowNotice(std::string text) override { notices.push_back(std::move(text)); }

  // Prompt `index` answered with its left button (accepted) or its right one.
  void Answer(std::size_t index, bool accepted) {
    const Prompt prompt = prompts.at(index);
    if (handler_) handler_({prompt.kind, accepted, prompt.data});
  }
  bool HasHandler() const { return static_cast<bool>(handler_); }

  std::vector<Prompt> prompts;
  std::vector<std::string> notices;

 private:
  components::AnswerHandler handler_;
};

}  // namespace orvinta::fakes
