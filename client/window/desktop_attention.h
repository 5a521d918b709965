#pragma once
// Draws the user's attention while the window is not active: a desktop
// notification per room for mentions and 1:1 lines (a burst from one room
// replaces that room's notice instead of piling up), and the count of unseen
// mentions the tray shows. A click brings the window and the room forward.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "client/window/attention_rules.h"
#include "client/window/invitation_listener.h"
#include "client/window/line_listener.h"
#include "client/window/reading_preferences.h"
#include "platform/desktop_notifications.h"

namespace orvinta::window {

struct AttentionParts {
  platform::DesktopNotifications& notifications;
  const ReadingPreferences& preferences;  // read at every line
  std::function<bool()> windowActive;
  // Raise the window and show the room (empty: only the window).
  std::function<void(std::string_view room)> bringForward;
  std::function<void(int unseenMentions)> unseenMentionsChanged;  // may be empty
};

class DesktopAttention final : public LineListener, public InvitationListener {
 public:
  // Rooms with a notice up at once; the oldest notice goes beyond this.
  static constexpr std::size_t kMaxOpenNotices = 16;
  static constexpr int kMaxCounted = 9999;

  // Takes the notifications' handlers until it is destroyed.
  explicit DesktopAttention(AttentionParts parts);
  ~DesktopAttention() override;
  DesktopAttention(const DesktopAttention&) = delete;
  DesktopAttention& operator=(const DesktopAttention&) = delete;

  void OnLineShown(const ShownLine& line) override;
  // One notice for the lot, counting the lines that would each have raised one.
  void OnLinesShown(std::span<const ShownLine> lines) override;
  void OnInvitation(std::string_view channel, std::string_view inviterNick) override;
  // The user is back: the count goes to 0 and the notices go away.
  void OnWindowActivated();

  int UnseenMentions() const { return unseenMentions_; }

 private:
  struct OpenNotice {
    std::string room;
    platform::NotificationId id = 0;
    int lines = 0;  // lines the notice stands for
  };
  void Raise(const AttentionNotice& notice, int count = 1);
  void OnClicked(platform::NotificationId id);
  void OnClosed(platform::NotificationId id);
  void SetUnseen(int count);

  AttentionParts parts_;
  std::vector<OpenNotice> open_;  // oldest first
  int unseenMentions_ = 0;
};

}  // namespace orvinta::window
