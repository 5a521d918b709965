#include "client/components/notifier/button_frame.h"

namespace orvinta::components {
namespace {

FrameStroke Row(int y, int fromX, int toX, Rgb colour) { return {{fromX, y, toX, y + 1}, colour}; }
FrameStroke Column(int x, int fromY, int toY, Rgb colour) { return {{x, fromY, x + 1, toY}, colour}; }
FrameStroke Dot(int x, int y, Rgb colour) { return {{x, y, x + 1, y + 1}, colour}; }

}  // namespace

std::vector<FrameStroke> ButtonFrame(const Rect& b) {
  const int l = b.left, t = b.top, r = b.right, bo = b.bottom;
  if (b.Width() < 6 || b.Height() < 6) return {};  // too small to hold a frame
  return {
      {{l + 2, t + 2, r - 2, bo - 2}, kButtonFill},
      Row(t, l + 2, r - 2, kButtonOuter),
      Row(bo - 1, l + 2, r - 2, kButtonOuter),
      Column(l, t + 2, bo - 2, kButtonOuter),
      Column(r - 1, t + 2, bo - 2, kButtonOuter),
      Dot(l + 1, t + 1, kButtonOuter),
      Dot(r - 2, t + 1, kButtonOuter),
      Dot(l + 1, bo - 2, kButtonOuter),
      Dot(r - 2, bo - 2, kButtonOuter),
      Row(t + 1, l + 2, r - 2, kButtonInner),
      Row(bo - 2, l + 3, r - 3, kButtonInner),
      Column(l + 1, t + 3, bo - 3, kButtonInner),
      Column(r - 2, t + 3, bo - 3, kButtonInner),
      Dot(l + 2, t + 2, kButtonInner),
      Dot(r - 3, t + 2, kButtonInner),
      Dot(l + 2, bo - 3, kButtonInner),
      Dot(r - 3, bo - 3, kButtonInner),
  };
}

}  // namespace orvinta::components
