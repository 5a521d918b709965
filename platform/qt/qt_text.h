#pragma once
// The one crossing between the system's code page 949 bytes and Qt's strings.
#include <QString>
#include <string>
#include <string_view>

#include "platform/cp949.h"

namespace orvinta::platform::qt {

inline QString FromCp949(std::string_view bytes) { return QString::fromStdString(Cp949ToUtf8Lossy(bytes)); }

// A line's display text, wide characters' marks read (see platform::kWideMark).
inline QString FromDisplayText(std::string_view display) { return QString::fromStdString(DisplayToUtf8(display)); }
inline std::string ToDisplayText(const QString& text) { return Utf8ToDisplay(text.toStdString()); }

// Characters code page 949 cannot hold are dropped rather than the whole text.
std::string ToCp949(const QString& text);

}  // namespace orvinta::platform::qt
