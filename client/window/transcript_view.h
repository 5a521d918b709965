#pragma once
// A room's transcript on screen: a native view over the room's lines, which
// it reads only where it draws them. The logic tells it that lines came or
// went; the view redraws at most once a frame and keeps the reader's place.
#include <memory>

#include "client/window/transcript_lines.h"

namespace orvinta::window {

class TranscriptViewListener {
 public:
  virtual ~TranscriptViewListener() = default;
  // A link the user clicked could not be opened: no browser took it.
  virtual void OnLinkNotOpened() = 0;
  // The reader scrolled to the oldest line: older ones may be wanted.
  virtual void OnReachedTop() {}
};

class TranscriptView {
 public:
  virtual ~TranscriptView() = default;
  // Events go to at most one listener; nullptr stops them.
  virtual void SetListener(TranscriptViewListener* listener) = 0;
  // Lines were added at the end (the oldest may have gone: see
  // TranscriptLines::FirstNumber). The view follows the newest line while the
  // reader is at the bottom; scrolled up, it counts them on the new-lines bar,
  // and hidden, it marks where the unread lines begin.
  virtual void LinesAdded() = 0;
  // Lines were put above the oldest one (see TranscriptLines::AddInFront); the
  // line at the top of the view stays where it is on screen.
  virtual void LinesAddedInFront() = 0;
  // The user's own line: to the newest line, wherever the reader was.
  virtual void JumpToNewest() = 0;
  // Every line is gone (lines added since are told by LinesAdded).
  virtual void LinesCleared() = 0;
  virtual void Show(bool visible) = 0;
};

class TranscriptViewFactory {
 public:
  virtual ~TranscriptViewFactory() = default;
  // A new hidden view over `lines`, which outlive it, placed where the
  // transcripts go; destroying the view removes it.
  virtual std::unique_ptr<TranscriptView> Create(const TranscriptLines& lines) = 0;
};

}  // namespace orvinta::window
