#pragma once
// What the session asks of the main window when commands arrive. The window
// (COrvintaDlg) implements it; tests use a recording fake. Channel names are
// "#" + room key; all texts are code page 949 bytes and come from the network
// unless said otherwise, so the window escapes what it shows.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::protocol {

// A line from a room's history on the server: its id (growing within the
// room), the server's time in milliseconds since 1970 (UTC), who said it and
// its text in wire form, as a live line's.
struct EarlierLine {
  std::uint64_t id = 0;
  std::int64_t timeMs = 0;
  std::string senderId;
  std::string text;
  bool operator==(const EarlierLine&) const = default;
};

class ChatWindow {
 public:
  virtual ~ChatWindow() = default;

  // Connection and login state.
  virtual bool IsConnected() const = 0;
  virtual void SetConnectStatus(bool connected) = 0;
  virtual void SetLoggedIn() = 0;
  virtual void StopLoginWatchdog() = 0;  // timer 3
  virtual void StartInviteTimer() = 0;   // timer 4, 15000 ms
  virtual void StopInviteTimer() = 0;    // kills timer 4 and clears InvitePending
  virtual void CloseClient() = 0;        // the window's close operation
  // The connection dropped without a goodbye and the session is getting back;
  // told once per drop, however many attempts it takes. The connection had
  // been silent for that long before the drop was noticed.
  virtual void ConnectionAway(std::int64_t /*silentForMs*/) {}
  // Logged in again after a drop: the member lists start over, as the
  // session enters OpenRooms again.
  virtual void ConnectionBack() {}
  // Back in one room: its missed lines (if any) are shown, so its "back"
  // notice goes in now. Told for every room ConnectionBack re-entered.
  virtual void ConnectionBackIn(std::string_view /*channel*/) {}
  // The first login was refused for the moment (a full server, the old
  // session not yet let go) and is tried again after a wait: told once, before
  // the first wait; SetLoggedIn follows when it gets in.
  virtual void LoginDelayed() {}
  // The channels of the open rooms ("#" + key), in tab order.
  virtual std::vector<std::string> OpenRooms() { return {}; }
  // The status the user chose in that room (0: online), told again on return.
  virtual int OwnStatusIn(std::string_view /*channel*/) { return 0; }

  // Channels.
  virtual bool IsChannelOpen(std::string_view channel) = 0;
  // The user enters the room (its lines may arrive before the server answers):
  // a window that tells the user's tabs from those traffic opened hears it here.
  virtual void EnterChannel(std::string_view /*channel*/) {}
  virtual void RemoveChannel(std::string_view channel) = 0;
  virtual void BringChannelToFront(std::string_view channel) = 0;
  // `templ` is a fixed text of the program whose "%s" marks the window fills,
  // in order, with `args` made safe for the page.
  virtual void AddInfoLine(std::string_view channel, std::string_view templ,
                           std::initializer_list<std::string_view> args) = 0;
  virtual void AddMessage(std::string_view channel, std::string_view senderId, std::string_view text) = 0;
  virtual void SetBanVoteRunning(std::string_view channel, bool running) = 0;

  // A room's history, when the server keeps one; lines oldest first, none
  // already shown. How many of a room's lines to show on entry (0 to 200).
  virtual std::size_t EntryHistoryLines() { return 50; }
  // On entry: above the welcome banner, each with its time, set apart from the
  // live lines by a divider. Not a room log's business: the user saw them before.
  virtual void AddEntryHistory(std::string_view /*channel*/, std::span<const EarlierLine> /*lines*/) {}
  // Said while the connection was down, before ConnectionBackIn: shown as live
  // lines would have been (mentions tint, one notice for the batch), with their
  // times, and logged. `unavailable`: lines the server no longer had (nullopt:
  // some, how many unknown); above zero, one line says so.
  virtual void AddMissedLines(std::string_view /*channel*/, std::span<const EarlierLine> /*lines*/,
                              std::optional<std::uint64_t> /*unavailable*/) {}
  // Older lines the window asked for (CZupChatMain::RequestOlderLines), put
  // above the oldest shown with the reader's place kept; `reachedStart`: the
  // history holds none older, so asking again is pointless.
  virtual void AddOlderLines(std::string_view /*channel*/, std::span<const EarlierLine> /*lines*/,
                             bool /*reachedStart*/) {}

  // Members of a channel.
  virtual void NewNick(std::string_view channel, std::string_view entry, int status) = 0;
  // The member's nick when the member is listed (possibly empty); nullopt otherwise.
  virtual std::optional<std::string> FindNickByName(std::string_view channel, std::string_view id) = 0;
  virtual void SetMemberDetails(std::string_view channel, std::string_view id, std::string_view nick,
                                std::string_view icon, std::string_view status) = 0;
  virtual void SetMemberStatus(std::string_view channel, std::string_view id, std::string_view status) = 0;
  virtual void RemoveNick(std::string_view channel, std::string_view id) = 0;
  virtual std::size_t MemberCount(std::string_view channel) = 0;
  // "0|0|" + nick + "|" + icon, for the waiting room's room-detail list.
  virtual void AddRoomDetailEntry(std::string_view entry) = 0;
  virtual void PlayEntrySound() = 0;

  // Prompts and notices of invitations and expulsion votes.
  virtual void ShowInvitation(std::string_view channel, std::string_view inviterId, std::string_view inviterNick) = 0;
  virtual void ShowInviteRefused(std::string_view channel, std::string_view memberId, std::string_view nick) = 0;
  virtual void ShowIgnoreNotice(std::string_view channel, std::string_view memberId, std::string_view nick) = 0;
  virtual void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick,
                              std::string_view requesterNick) = 0;
  virtual void ShowExpelledNotice() = 0;
};

}  // namespace orvinta::protocol
