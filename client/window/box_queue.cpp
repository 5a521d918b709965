#include "client/window/box_queue.h"

#include <utility>

#include "protocol/guarded.h"

namespace orvinta::window {
namespace {

void Answer(const platform::MessageBoxes::Answered& answered, platform::BoxAnswer answer) {
  if (answered) Guarded("a message box's answer", [&] { answered(answer); });
}

platform::BoxAnswer UnseenAnswer(platform::BoxButtons buttons) {
  return buttons == platform::BoxButtons::Ok ? platform::BoxAnswer::Ok : platform::BoxAnswer::No;
}

}  // namespace

BoxQueue::~BoxQueue() { *self_ = nullptr; }

BoxQueue::Box* BoxQueue::FindEqualOkBox(const std::string& text, const std::string& caption) {
  const auto equal = [&](const Box& box) {
    return box.buttons == platform::BoxButtons::Ok && box.text == text && box.caption == caption;
  };
  if (shown_ && equal(*shown_)) return &*shown_;
  for (Box& box : waiting_) {
    if (equal(box)) return &box;
  }
  return nullptr;
}

void BoxQueue::Open(const std::string& text, const std::string& caption, platform::BoxButtons buttons,
                    Answered answered) {
  if (buttons == platform::BoxButtons::Ok) {
    if (Box* same = FindEqualOkBox(text, caption)) {
      if (same->answers.size() < kMaxAnswersPerBox) {
        same->answers.push_back(std::move(answered));
      } else {
        Answer(answered, platform::BoxAnswer::Ok);
      }
      return;
    }
  }
  if (waiting_.size() >= kMaxWaiting) {
    Answer(answered, UnseenAnswer(buttons));
    return;
  }
  Box box{text, caption, buttons, {}};
  box.answers.push_back(std::move(answered));
  waiting_.push_back(std::move(box));
  ShowNext();
}

void BoxQueue::ShowNext() {
  // A box answered in place (an adapter without boxes) comes back here
  // through OnAnswered: the loop below shows the next one instead.
  if (showingNext_) return;
  showingNext_ = true;
  while (!shown_ && !waiting_.empty()) {
    shown_ = std::move(waiting_.front());
    waiting_.pop_front();
    const std::string text = shown_->text, caption = shown_->caption;
    std::weak_ptr<BoxQueue*> self = self_;
    target_.Open(text, caption, shown_->buttons, [self](platform::BoxAnswer answer) {
      if (const auto alive = self.lock(); alive && *alive) (*alive)->OnAnswered(answer);
    });
  }
  showingNext_ = false;
}

void BoxQueue::OnAnswered(platform::BoxAnswer answer) {
  if (!shown_) return;
  const std::vector<Answered> answers = std::move(shown_->answers);
  shown_.reset();
  const std::weak_ptr<BoxQueue*> self = self_;
  for (const Answered& answered : answers) {
    Answer(answered, answer);
    if (self.expired() || !*self.lock()) return;  // an answer closed the program
  }
  ShowNext();
}

}  // namespace orvinta::window
