#include "protocol/ui_text.h"

namespace orvinta::ui_text {

std::string_view BoxCaption() { return "벨보 미렐"; }

}  // namespace orvinta::ui_text
