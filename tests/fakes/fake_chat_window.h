#pragma once
// A main window that only records what the session asked of it, with just
// enough state (open channels, members) for the session's decisions.
#include <map>
#include <string>
#include <vector>

#include "protocol/chat_window.h"

namespace orvinta::fakes {

class FakeChatWindow final : public protocol::ChatWindow {
 public:
  using Lines = std::span<const protocol::EarlierLine>;
  bool connected = false;
  bool loggedIn = false;
  std::vector<std::string> calls;                                     // "Name(arg,arg)" in order
  std::map<std::string, std::map<std::string, std::string>> members;  // channel -> id -> nick

  void Open(const std::string& channel) { members[channel]; }
  bool Called(const std::string& call) const;
  int Count(const std::string& prefix) const;

  bool IsConnected() const override { return connected; }
  void SetConnectStatus(bool up) override;
  void SetLoggedIn() override;
  void StopLoginWatchdog() override { Record("StopLoginWatchdog", {}); }
  void StartInviteTimer() override { Record("StartInviteTimer", {}); }
  void StopInviteTimer() override { Record("StopInviteTimer", {}); }
  void CloseClient() override { Record("CloseClient", {}); }
  void ConnectionAway(std::int64_t) override { Record("ConnectionAway", {}); }
  void ConnectionBack() override { Record("ConnectionBack", {}); }
  void LoginDelayed() override { Record("LoginDelayed", {}); }
  void ConnectionBackIn(std::string_view channel) override { Record("ConnectionBackIn", {channel}); }
  // History calls record their lines' ids as "1..5 7", and keep the last call's lines.
  std::vector<protocol::EarlierLine> lastLines;
  std::size_t entryHistoryLines = 50;
  std::size_t EntryHistoryLines() override { return entryHistoryLines; }
  void AddEntryHistory(std::string_view c, Lines lines) override { RecordLines("AddEntryHistory", c, lines, ""); }
  void AddMissedLines(std::string_view c, Lines lines, std::optional<std::uint64_t> unavailable) override {
    RecordLines("AddMissedLines", c, lines, unavailable ? std::to_string(*unavailable) : "?");
  }
  void AddOlderLines(std::string_view c, Lines lines, bool start) override {
    RecordLines("AddOlderLines", c, lines, start ? "1" : "0");
  }
  std::vector<std::string> OpenRooms() override {  // the open channels, in name order
    std::vector<std::string> rooms;
    for (const auto& entry : members) rooms.push_back(entry.first);
    return rooms;
  }
  bool IsChannelOpen(std::string_view channel) override { return members.count(std::string(channel)) > 0; }
  void RemoveChannel(std::string_view channel) override;
  void BringChannelToFront(std::string_view channel) override { Record("BringChannelToFront", {channel}); }
  void AddInfoLine(std::string_view channel, std::string_view templ,
                   std::initializer_list<std::string_view> args) override;
  void AddMessage(std::string_view channel, std::string_view sender, std::string_view text) override {
    Record("AddMessage", {channel, sender, text});
  }
  void SetBanVoteRunning(std::string_view channel, bool running) override {
    Record("SetBanVoteRunning", {channel, running ? "1" : "0"});
  }
  void NewNick(std::string_view channel, std::string_view entry, int status) override;
  std::optional<std::string> FindNickByName(std::string_view channel, std::string_view id) override;
  void SetMemberDetails(std::string_view channel, std::string_view id, std::string_view nick, std::string_view icon,
                        std::string_view status) override;
  void SetMemberStatus(std::string_view channel, std::string_view id, std::string_view status) override {
    Record("SetMemberStatus", {channel, id, status});
  }
  void RemoveNick(std::string_view channel, std::string_view id) override;
  std::size_t MemberCount(std::string_view channel) override;
  void AddRoomDetailEntry(std::string_view entry) override { Record("AddRoomDetailEntry", {entry}); }
  void PlayEntrySound() override { Record("PlayEntrySound", {}); }
  void ShowInvitation(std::string_view channel, std::string_view id, std::string_view nick) override {
    Record("ShowInvitation", {channel, id, nick});
  }
  void ShowInviteRefused(std::string_view channel, std::string_view id, std::string_view nick) override {
    Record("ShowInviteRefused", {channel, id, nick});
  }
  void ShowIgnoreNotice(std::string_view channel, std::string_view id, std::string_view nick) override {
    Record("ShowIgnoreNotice", {channel, id, nick});
  }
  void ShowVotePrompt(std::string_view channel, std::string_view targetId, std::string_view targetNick,
                      std::string_view requesterNick) override {
    Record("ShowVotePrompt", {channel, targetId, targetNick, requesterNick});
  }
  void ShowExpelledNotice() override { Record("ShowExpelledNotice", {}); }

 private:
  void Record(std::string_view name, std::initializer_list<std::string_view> args);
  void RecordLines(std::string_view name, std::string_view channel, Lines lines, std::string_view last);
};

}  // namespace orvinta::fakes
