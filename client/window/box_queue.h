#pragma once
// Boxes that the network's handlers raise are shown after the handler has
// returned, one at a time, and what follows a box runs when it is answered.
// A box shown from inside a handler would run a modal loop in which the
// connection is not read, so the server's keep-alive would go unanswered.
// Questions the user's own actions ask (Show) pass straight through.
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace orvinta::window {

class BoxQueue final : public platform::MessageBoxes {
 public:
  // Boxes waiting behind the one shown; past it a box is answered unseen
  // (OK, or No for a question) so that a flood of system messages cannot
  // bury the user in boxes or hold memory.
  static constexpr std::size_t kMaxWaiting = 8;
  // An OK box equal to one already shown or waiting is not shown again: its
  // answer joins that box's, up to this many.
  static constexpr std::size_t kMaxAnswersPerBox = 256;

  explicit BoxQueue(platform::MessageBoxes& target) : target_(target) {}
  ~BoxQueue() override;
  BoxQueue(const BoxQueue&) = delete;
  BoxQueue& operator=(const BoxQueue&) = delete;

  platform::BoxAnswer Show(const std::string& text, const std::string& caption, platform::BoxButtons buttons) override {
    return target_.Show(text, caption, buttons);
  }
  void Open(const std::string& text, const std::string& caption, platform::BoxButtons buttons,
            Answered answered) override;

  bool IsShowing() const { return shown_.has_value(); }
  std::size_t Waiting() const { return waiting_.size(); }

 private:
  struct Box {
    std::string text;
    std::string caption;
    platform::BoxButtons buttons;
    std::vector<Answered> answers;
  };
  Box* FindEqualOkBox(const std::string& text, const std::string& caption);
  void ShowNext();
  void OnAnswered(platform::BoxAnswer answer);

  platform::MessageBoxes& target_;
  std::optional<Box> shown_;
  std::deque<Box> waiting_;
  bool showingNext_ = false;
  // Answers that arrive after this queue has gone are dropped.
  std::shared_ptr<BoxQueue*> self_ = std::make_shared<BoxQueue*>(this);
};

}  // namespace orvinta::window
