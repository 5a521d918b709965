#pragma once
// Texts shared by several parts of the program (code page 949 at run time).
#include <string_view>

namespace orvinta::ui_text {

// The caption of every message box of the program.
std::string_view BoxCaption();

}  // namespace orvinta::ui_text
