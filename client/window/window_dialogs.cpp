#include "client/window/window_dialogs.h"

#include <string>

#include "protocol/ui_text.h"

namespace orvinta::window {

bool Ask(platform::MessageBoxes& boxes, std::string_view text) {
  return boxes.Show(std::string(text), std::string(ui_text::BoxCaption()), platform::BoxButtons::YesNo) ==
         platform::BoxAnswer::Yes;
}

void Tell(platform::MessageBoxes& boxes, std::string_view text) {
  boxes.Show(std::string(text), std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok);
}

}  // namespace orvinta::window
