// Compiled with the code page 949 execution set: the labels and the face are bytes of it.
#include "client/components/notifier/notifier_settings.h"

namespace orvinta::components {

TextPlacement PlacementOf(std::uint32_t f) {
  TextPlacement p;
  p.horizontal = (f & kDrawCenter) ? HAlign::Center : (f & kDrawRight) ? HAlign::Right : HAlign::Left;
  p.vertical = (f & kDrawVCenter) ? VAlign::Center : (f & kDrawBottom) ? VAlign::Bottom : VAlign::Top;
  p.singleLine = (f & kDrawSingleLine) != 0;
  p.wordBreak = (f & kDrawWordBreak) != 0;
  p.endEllipsis = (f & kDrawEndEllipsis) != 0;
  return p;
}

NotifierSettings WindowSettingsFor(NotifierKind kind) {
  NotifierSettings s;
  s.skinId = kind == NotifierKind::Invitation ? kInvitationSkin : kVoteSkin;
  s.textFont = {"굴림", 90, 0};
  s.hoverFont = s.textFont;
  s.closeArea = {204, 10, 215, 20};
  if (kind == NotifierKind::Notice) {
    s.textArea = {3, 54, 220, 107};
    return s;
  }
  s.textArea = {3, 42, 220, 95};
  s.leftButton = {70, 100, 110, 120};
  s.rightButton = {116, 100, 156, 120};
  return s;
}

std::string_view LeftLabel(NotifierKind kind) {
  switch (kind) {
    case NotifierKind::Invitation: return "참여";
    case NotifierKind::Vote: return "찬성";
    case NotifierKind::Notice: break;
  }
  return {};
}

std::string_view RightLabel(NotifierKind kind) {
  switch (kind) {
    case NotifierKind::Invitation: return "취소";
    case NotifierKind::Vote: return "반대";
    case NotifierKind::Notice: break;
  }
  return {};
}

}  // namespace orvinta::components
