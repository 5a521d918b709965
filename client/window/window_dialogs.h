#pragma once
// The window's message boxes: fixed Korean texts under the caption "벨보 미렐".
#include <string_view>

#include "platform/message_box.h"

namespace orvinta::window {

// Yes/No; true for Yes.
bool Ask(platform::MessageBoxes& boxes, std::string_view text);
// OK.
void Tell(platform::MessageBoxes& boxes, std::string_view text);

}  // namespace orvinta::window
