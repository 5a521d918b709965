#pragma once
// Colours cross between the system (0x00BBGGRR) and Qt here.
#include <QColor>
#include <cstdint>

namespace orvinta::components {

inline QColor ToQColor(std::uint32_t colorref) {
  return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                static_cast<int>((colorref >> 16) & 0xFF));
}

inline std::uint32_t ToColorRef(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

}  // namespace orvinta::components
