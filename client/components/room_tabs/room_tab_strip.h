#pragma once
// The room tab strip without a display: its items, the current tab, sideways
// scrolling, and the geometry every drawing step and mouse rule works from.
// Texts are code page 949 bytes.
#include <optional>
#include <string>
#include <vector>

#include "client/components/pixel_geometry.h"
#include "client/components/room_tabs/room_tab_look.h"

namespace orvinta::components {

// What the strip does with a mouse movement or release.
struct TabMouseOutcome {
  bool handCursor = false;
  int closeTab = -1;            // a release on this tab's close box asks to close it
  bool defaultHandling = true;  // false inside any tab's close-box area
};

class RoomTabStrip {
 public:
  static constexpr int kItemWidth = 120;
  // More tabs than fit at kItemWidth share the strip, down to this width;
  // only beyond that does the strip scroll.
  static constexpr int kMinItemWidth = 72;
  // The text keeps this far inside the tab's border (before the 2 px shift
  // of its look), and this far before the close box.
  static constexpr int kTextInset = 3;
  static constexpr int kTextGap = 2;
  static constexpr int kItemHeight = 25;
  static constexpr int kHeight = kItemHeight + 1;  // the base line below the tabs
  static constexpr int kScrollButtonWidth = 16;    // two of them at the right when tabs overflow
  static constexpr int kCloseIconSize = 16;

  // Items. Indexes out of range are ignored (or answer empty / -1).
  int Insert(int index, std::string text);  // image 0; returns where it went
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  void Select(int index);  // -1 clears; the tab is scrolled into view
  int Selected() const { return selected_; }
  void SetText(int index, std::string text);
  std::string Text(int index) const;
  void SetImage(int index, int image);
  int Image(int index) const;

  // Sideways scrolling when the tabs are wider than the control.
  void SetWidth(int width);
  int Width() const { return width_; }
  bool Overflows() const;
  int FirstVisible() const { return first_; }
  bool ScrollBy(int tabs);  // true when the view moved
  bool CanScroll(int direction) const;
  Rect ScrollButton(int direction) const;  // -1 left, +1 right; empty without overflow

  // Geometry of tab i in control coordinates.
  Rect ItemRect(int index) const;   // the item's own rectangle
  Rect DrawnRect(int index) const;  // background tabs sit one pixel lower
  TabLook Look(int index) const;
  std::optional<CloseIcon> CloseIconOf(int index) const;  // none on the waiting room
  Rect CloseIconRect(int index) const;                    // where the picture goes
  Rect CloseBox(int index) const;                         // its hit area
  Rect TextRect(int index) const;
  Rect BaseLine() const { return {0, kHeight - 1, width_, kHeight}; }

  bool Visible(int index) const;  // on screen, not scrolled out of view
  int TabAt(int x, int y) const;  // -1 outside every visible tab
  int BoxAt(int x, int y) const;  // close-box area of a visible tab, the first included

  TabMouseOutcome OnMouseMove(int x, int y) const;
  TabMouseOutcome OnLeftButtonUp(int x, int y) const;

 private:
  struct Item {
    std::string text;
    int image = 0;
  };
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  int TabsAreaRight() const;
  int ItemWidth() const;
  int MaxFirstVisible() const;
  void EnsureVisible(int index);

  std::vector<Item> items_;
  int selected_ = -1;
  int first_ = 0;
  int width_ = 0;
};

// The parent's band behind the strip, repainted when the tabs scroll.
constexpr Rect TabBandRect(int parentClientWidth) { return {15, 37, parentClientWidth - 15, 63}; }

}  // namespace orvinta::components
