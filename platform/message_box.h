#pragma once
// Modal message boxes. Texts and captions are code page 949 bytes.
#include <string>

namespace orvinta::platform {

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Returns when the user has answered.
  virtual BoxAnswer Show(const std::string& text, const std::string& caption, BoxButtons buttons) = 0;
};

}  // namespace orvinta::platform
