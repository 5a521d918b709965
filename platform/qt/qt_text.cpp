#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

std::string ToCp949(const QString& text) {
  if (auto whole = Utf8ToCp949(text.toStdString())) return *whole;
  std::string out;
  for (const QChar* it = text.cbegin(); it != text.cend(); ++it) {
    QString one(*it);
    if (it->isHighSurrogate() && it + 1 != text.cend()) one += *++it;
    if (auto bytes = Utf8ToCp949(one.toStdString())) out += *bytes;
  }
  return out;
}

}  // namespace orvinta::platform::qt
