#pragma once
// Text placed into a page script as a string literal, never as code.
#include <QString>

namespace orvinta::components {

// A double-quoted JavaScript string literal holding exactly `text`.
QString JsLiteral(const QString& text);

}  // namespace orvinta::components
