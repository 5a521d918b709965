#pragma once
// Modal message boxes. Texts and captions are code page 949 bytes.
#include <functional>
#include <string>

namespace orvinta::platform {

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

class MessageBoxes {
 public:
  using Answered = std::function<void(BoxAnswer)>;
  virtual ~MessageBoxes() = default;
  // Returns when the user has answered.
  virtual BoxAnswer Show(const std::string& text, const std::string& caption, BoxButtons buttons) = 0;
  // Shows the box and returns at once; `answered` runs from the event loop when
  // the user has answered. Without a box of its own an adapter answers in place.
  virtual void Open(const std::string& text, const std::string& caption, BoxButtons buttons, Answered answered) {
    const BoxAnswer answer = Show(text, caption, buttons);
    if (answered) answered(answer);
  }
};

}  // namespace orvinta::platform
