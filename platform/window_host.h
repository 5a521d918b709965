#pragma once
// What the main window's widgets do for the window logic: the room tab strip,
// the title line, the composing toolbar, placing the HTML views, and the
// window itself. Texts are code page 949 bytes shown as plain text, never as
// markup (tab texts and titles come from other people); colours are 0x00BBGGRR.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/html_view.h"
#include "platform/member_list_view.h"

namespace orvinta::platform {

// The composing settings of one room as the toolbar shows them; the logic
// fills every field from the room's settings.
struct ToolbarState {
  std::string faceName;  // "굴림", "바탕", "돋움" or "궁서"
  std::string sizeText;  // decimal point size; the size combo keeps its choice when no entry has this text
  std::uint32_t textColour = 0;
  std::uint32_t backColour = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The smallest main window; also its size at start when no placement is kept.
inline constexpr int kMinWindowWidth = 600;
inline constexpr int kMinWindowHeight = 415;

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // Room tab strip. Indexes count from 0 in creation order. Selecting by
  // program does not report back; the logic runs its switch itself.
  virtual void InsertTab(const std::string& text) = 0;  // at the end, image 0
  virtual void DeleteTab(int index) = 0;
  virtual void SelectTab(int index) = 0;
  virtual int SelectedTab() const = 0;  // -1 when none
  virtual int TabCount() const = 0;
  virtual void SetTabImage(int index, int image) = 0;  // 0 idle, 1 activity
  virtual void FocusTabStrip() = 0;
  virtual void RepaintTabArea() = 0;

  // The title line above the transcript.
  virtual void SetTitleText(const std::string& text) = 0;

  // Puts a view where its role belongs (transcripts and the home view on the
  // transcript rectangle, the member list and welcome pane at the right, the
  // navigation bar at the top) and lets it follow resizing. Released before
  // the view is destroyed.
  virtual void PlaceView(HtmlViewRole role, HtmlView& view) = 0;
  virtual void ReleaseView(HtmlView& view) = 0;
  // The member list goes where the member-list page went, at the right.
  virtual void PlaceMemberList(MemberListView& view) = 0;

  // Composing toolbar and the input line's character format.
  virtual void ShowToolbarState(const ToolbarState& state) = 0;
  // The own-status combo (entries 0-6).
  virtual void SelectStatus(int index) = 0;

  // The window.
  virtual void FlashOnce() = 0;
  virtual void Restore() = 0;  // show normally when minimised
  virtual void BringToForeground() = 0;
  virtual bool IsMinimised() const = 0;
  // Left and top are the outer corner, the frame included; width and height
  // are the client area's.
  virtual WindowRect GetWindowRect() const = 0;
  // The rectangle the window has when neither maximised nor minimised.
  virtual WindowRect GetNormalRect() const { return GetWindowRect(); }
  // The usable area of each screen; none when unknown.
  virtual std::vector<WindowRect> ScreenRects() const { return {}; }
  // How many of the program's main windows were open when this one started.
  virtual int EarlierWindows() const { return 0; }
  virtual void MoveWindow(const WindowRect& rect) = 0;
  virtual void ResizeWindow(int width, int height) = 0;  // keeps the position
  // Destroys the main window; the program ends with it.
  virtual void CloseWindow() = 0;
};

}  // namespace orvinta::platform
