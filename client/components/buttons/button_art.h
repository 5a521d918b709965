#pragma once
// The bitmaps we draw for image buttons, by resource number, at any scale
// (1 and 2 for ordinary and doubled screens). Each is painted over its
// transparent colour, which the button masks out.
#include <QColor>
#include <QPixmap>

namespace orvinta::buttons {

enum ArtId : int {
  kArtSave = 228,          // the settings dialog's "저장하기"
  kArtReset = 230,         // the settings dialog's "설정 초기화"
  kArtClear = 1058,        // toolbar: clear the transcript
  kArtSettings = 1059,     // toolbar: the settings dialog
  kArtSaveTranscript = 1060,  // toolbar: save the transcript
  kArtSend = 1031,         // toolbar: send the line
  kArtEmoticon = 1033,     // toolbar: the emoticon picker
  kArtBold = 1041,         // toolbar: bold, italic, underline (toggles)
  kArtItalic = 1042,
  kArtUnderline = 1043,
  kArtEnd = 1017,          // status row: end the conversation
};

// Null for an unknown id. The pixmap's device pixel ratio is the scale, so
// it lays out at its 1x size.
QPixmap DrawButtonArt(int id, int scale);
// The colour that stands for "no bitmap here" in the art of this id; none
// (invalid) for art drawn on a transparent ground.
QColor ArtTransparentColour(int id);
// The 1x size of the art.
QSize ArtSize(int id);

}  // namespace orvinta::buttons
