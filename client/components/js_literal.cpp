#include "client/components/js_literal.h"

namespace orvinta::components {

QString JsLiteral(const QString& text) {
  QString out;
  out.reserve(text.size() + 16);
  out += QLatin1Char('"');
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '"' || u == '\\') {
      out += QLatin1Char('\\');
      out += c;
    } else if (u < 0x20 || u == 0x7F || u == 0x2028 || u == 0x2029 || c.isSurrogate() || u == '%') {
      // Control characters, the script's own line separators and surrogate
      // halves travel as escapes: nothing can end or break the literal. "%"
      // does too, so a literal is never taken for a QString::arg place.
      // Other text (Korean included) goes as it is, keeping scripts small.
      out += QStringLiteral("\\u%1").arg(static_cast<unsigned>(u), 4, 16, QLatin1Char('0'));
    } else {
      out += c;
    }
  }
  out += QLatin1Char('"');
  return out;
}

}  // namespace orvinta::components
