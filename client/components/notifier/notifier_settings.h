#pragma once
// What the owner sets up before showing a popup, and the settings the main
// window uses for its three kinds of announcement.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "client/components/notifier/notifier_geometry.h"

namespace orvinta::components {

enum class NotifierKind { Invitation = 1, Vote = 2, Notice = 3 };

// The drawn skins: the invitation's and the vote's (also the notice's).
inline constexpr int kInvitationSkin = 217;
inline constexpr int kVoteSkin = 229;
inline constexpr Size kSkinSize{225, 130};

// Style bits of a font: bold (weight 700, else 400), italic, underline.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;

struct FontSpec {
  std::string face;   // code page 949; empty: the desktop's default font
  int tenths = 0;     // size in tenths of a point; 0: the default font's size
  int style = 0;      // kFontBold | kFontItalic | kFontUnderline
  bool operator==(const FontSpec&) const = default;
};

// Drawing format flags, with the values the owner passes.
inline constexpr std::uint32_t kDrawCenter = 0x1;
inline constexpr std::uint32_t kDrawRight = 0x2;
inline constexpr std::uint32_t kDrawVCenter = 0x4;
inline constexpr std::uint32_t kDrawBottom = 0x8;
inline constexpr std::uint32_t kDrawWordBreak = 0x10;
inline constexpr std::uint32_t kDrawSingleLine = 0x20;
inline constexpr std::uint32_t kDrawEndEllipsis = 0x8000;
// The main window's format: centred, one line, an ellipsis at the end (the
// flag asking to write the cut text back is among its bits; it is never obeyed).
inline constexpr std::uint32_t kWindowTextFormat = 0x18031;

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct TextPlacement {
  HAlign horizontal = HAlign::Left;
  VAlign vertical = VAlign::Top;
  bool singleLine = false;
  bool wordBreak = false;
  bool endEllipsis = false;
  bool operator==(const TextPlacement&) const = default;
};

TextPlacement PlacementOf(std::uint32_t formatFlags);

// Everything one announcement is set up with, in the order it is applied.
struct NotifierSettings {
  int skinId = kInvitationSkin;
  FontSpec textFont;
  FontSpec hoverFont;
  std::uint32_t format = kWindowTextFormat;
  Rgb textColour = Rgb::FromHex(0x333333);
  Rgb hoverColour = Rgb::FromHex(0xFF0000);
  Rect textArea;
  Rect closeArea;
  Rect leftButton;
  Rect rightButton;
};

// The main window's settings for each kind: skin, "굴림" 9 point, colours and areas.
NotifierSettings WindowSettingsFor(NotifierKind kind);

// The answer buttons' labels ("참여"/"취소", "찬성"/"반대"); empty for a notice.
std::string_view LeftLabel(NotifierKind kind);
std::string_view RightLabel(NotifierKind kind);

}  // namespace orvinta::components
