#pragma once
// The script every transcript page gets in the program's own script world:
// window.orvintaTranscript.append(markerId, lines), .html(element) and
// .follow(markerId), which keeps the reader's place and marks unread lines.
#include <QString>

namespace orvinta::components {

// Lines are kept in blocks of this many.
inline constexpr int kLinesPerBlock = 100;

QString TranscriptScript();

}  // namespace orvinta::components
