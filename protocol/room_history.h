#pragma once
// What the session knows of its rooms' history on the server: the ids it has
// shown, the requests it has out, and the live lines that wait while a room
// catches up after a drop. Plain state: requests leave through `ask`, lines go
// to the window, and nothing else is touched, so every turn can be tested.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/chat_window.h"
#include "protocol/history_frames.h"

namespace orvinta::protocol {

class RoomHistory {
 public:
  using Ask = std::function<void(const history::Request&)>;
  RoomHistory(ChatWindow& window, Ask ask) : window_(window), ask_(std::move(ask)) {}

  // Bounds on what the network can make this keep.
  static constexpr std::size_t kMaxRooms = 256;
  static constexpr std::size_t kMaxMissedLines = 2000;  // per catch-up, over all its answers
  static constexpr std::size_t kMaxHeldLines = 2000;    // live lines waiting for a catch-up
  static constexpr std::size_t kMaxOwnIds = 256;
  static constexpr std::size_t kOlderLines = 100;

  // A new connection has logged in and said "HIST": no offer heard on it yet,
  // and whatever was asked on the last one will not be answered.
  void Connected();
  // The server's answer to "HIST" (nullopt: unreadable, taken as none).
  void Offered(const std::optional<history::Offer>& offer);
  // The server answered something sent after "HIST" without answering it: it
  // does not keep history. Nothing once the offer has been heard.
  void NotOffered();
  bool On() const { return offer_ == OfferState::kOn; }

  // The user entered the room (not a re-entry): its latest lines are asked.
  void Entered(std::string_view channel);
  void Left(std::string_view channel);
  // Re-entered after a drop: catches up after the newest line shown, or tells
  // the window at once that the room is back when there is nothing to ask.
  void BackIn(std::string_view channel);
  // The reader reached the top of the room.
  void RequestOlder(std::string_view channel);

  void Live(const history::StampedLine& line);
  void OwnLine(const history::OwnStamp& stamp);
  void AnswerLine(const history::AnswerLine& answer);
  void AnswerEnd(const history::AnswerEnd& end);

 private:
  enum class OfferState { kAwaited, kOn, kOff };
  enum class Purpose { kEntry, kCatchUp, kOlder };

  struct Entry {
    std::size_t wanted = 0;  // lines still to ask
    std::vector<EarlierLine> lines;
    std::uint64_t firstAsked = 0;  // the oldest id answered so far, raw
    std::uint64_t newest = 0;      // the newest id answered, raw
    bool markOnly = false;         // none to show: asked only to learn where the room stands
  };
  struct CatchUp {
    std::uint64_t cursor = 0;  // newest id answered (or shown before the drop)
    std::vector<EarlierLine> gathered;
    std::optional<std::uint64_t> missing = 0;
    std::vector<std::pair<std::string, EarlierLine>> held;  // channel as the frame named it, line
  };
  struct Room {
    std::string channel;
    std::uint64_t newestShown = 0;
    std::uint64_t oldestShown = 0;
    std::uint64_t firstLive = 0;  // since entry
    bool reachedStart = false;
    // Where the room stood when entered is known (newestShown, 0 when it had no
    // lines): after a drop, what came since can be asked for.
    bool placed = false;
    std::uint32_t outTag = 0;  // one request out per room
    std::optional<Entry> entry;
    std::optional<CatchUp> catchUp;
    std::set<std::uint64_t> own;
  };
  struct Pending {
    std::string key;
    Purpose purpose;
    std::size_t count;
    std::vector<EarlierLine> lines;
  };

  Room* Find(std::string_view roomOrChannel);
  Room* FindOrAdd(std::string_view channel);
  void Send(Room& room, Purpose purpose, history::Mode mode, std::uint64_t anchor, std::size_t count);
  void AskWaiting(Room& room);
  void Shown(Room& room, std::uint64_t id);
  void EndEntry(Room& room, Pending& p, const history::AnswerEnd& end);
  void EndCatchUp(Room& room, Pending& p, const history::AnswerEnd& end);
  void EndOlder(Room& room, Pending& p, const history::AnswerEnd& end);
  void FinishCatchUp(Room& room);
  void HistoryOff();

  ChatWindow& window_;
  Ask ask_;
  OfferState offer_ = OfferState::kAwaited;
  std::size_t perRequest_ = history::kMaxRequestLines;
  std::uint32_t lastTag_ = 0;
  std::map<std::string, Room> rooms_;  // by lower-case room key
  std::map<std::uint32_t, Pending> pending_;
  std::vector<std::string> waiting_;  // rooms waiting for the offer, in the order they asked
};

}  // namespace orvinta::protocol
