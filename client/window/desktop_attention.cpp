#include "client/window/desktop_attention.h"

#include <algorithm>

#include "protocol/guarded.h"

namespace orvinta::window {

DesktopAttention::DesktopAttention(AttentionParts parts) : parts_(std::move(parts)) {
  parts_.notifications.SetHandlers(
      [this](platform::NotificationId id) { Guarded("a notification's click", [&] { OnClicked(id); }); },
      [this](platform::NotificationId id) { OnClosed(id); });
}

DesktopAttention::~DesktopAttention() { parts_.notifications.SetHandlers(nullptr, nullptr); }

void DesktopAttention::OnLineShown(const ShownLine& line) {
  const bool active = parts_.windowActive && parts_.windowActive();
  if (IsUnseenMention(line, active)) SetUnseen(unseenMentions_ + 1);
  if (const auto notice = NoticeForLine(line, active, parts_.preferences)) Raise(*notice);
}

void DesktopAttention::OnLinesShown(std::span<const ShownLine> lines) {
  const bool active = parts_.windowActive && parts_.windowActive();
  std::optional<AttentionNotice> last;
  int count = 0;
  int mentions = 0;
  for (const ShownLine& line : lines) {
    mentions += IsUnseenMention(line, active);
    if (auto notice = NoticeForLine(line, active, parts_.preferences)) {
      last = std::move(notice);
      ++count;
    }
  }
  if (mentions > 0) SetUnseen(unseenMentions_ + mentions);
  if (last) Raise(*last, count);
}

void DesktopAttention::OnInvitation(std::string_view channel, std::string_view inviterNick) {
  const bool active = parts_.windowActive && parts_.windowActive();
  if (const auto notice = NoticeForInvitation(channel, inviterNick, active, parts_.preferences)) Raise(*notice);
}

void DesktopAttention::Raise(const AttentionNotice& notice, int count) {
  auto it = std::find_if(open_.begin(), open_.end(), [&](const OpenNotice& o) { return o.room == notice.room; });
  // Invitations (no room) each stand alone.
  if (notice.room.empty()) it = open_.end();
  platform::DesktopNotice shown{notice.title, notice.body, 0};
  int lines = count;
  if (it != open_.end()) {
    shown.replaces = it->id;
    lines += it->lines;
  }
  if (lines > 1) shown.title += " (" + std::to_string(lines) + ")";
  const platform::NotificationId id = parts_.notifications.Notify(shown);
  if (it != open_.end()) open_.erase(it);
  if (id == 0) return;  // no notification service
  open_.push_back({notice.room, id, lines});
  if (open_.size() > kMaxOpenNotices) {
    const platform::NotificationId oldest = open_.front().id;
    open_.erase(open_.begin());
    parts_.notifications.Close(oldest);
  }
}

void DesktopAttention::OnClicked(platform::NotificationId id) {
  const auto it = std::find_if(open_.begin(), open_.end(), [id](const OpenNotice& o) { return o.id == id; });
  if (it == open_.end()) return;
  const std::string room = it->room;
  open_.erase(it);
  if (parts_.bringForward) parts_.bringForward(room);
}

void DesktopAttention::OnClosed(platform::NotificationId id) {
  std::erase_if(open_, [id](const OpenNotice& o) { return o.id == id; });
}

void DesktopAttention::OnWindowActivated() {
  SetUnseen(0);
  // Closing answers with closed handlers, which must not touch a list being walked.
  std::vector<OpenNotice> open;
  open.swap(open_);
  for (const OpenNotice& notice : open) parts_.notifications.Close(notice.id);
}

void DesktopAttention::SetUnseen(int count) {
  if (count == unseenMentions_) return;
  unseenMentions_ = count;
  if (parts_.unseenMentionsChanged) parts_.unseenMentionsChanged(count);
}

}  // namespace orvinta::window
