#include "protocol/room_history.h"

#include <algorithm>

#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::protocol {
namespace {

namespace h = history;

constexpr std::uint32_t kMaxTag = 999'999'999;

std::string KeyOf(std::string_view roomOrChannel) { return text::ToLower(StripChannelMark(roomOrChannel)); }

EarlierLine Earlier(const h::StampedLine& line) { return EarlierLine{line.id, line.time, line.sender, line.text}; }

}  // namespace

RoomHistory::Room* RoomHistory::Find(std::string_view roomOrChannel) {
  const auto it = rooms_.find(KeyOf(roomOrChannel));
  return it == rooms_.end() ? nullptr : &it->second;
}

RoomHistory::Room* RoomHistory::FindOrAdd(std::string_view channel) {
  if (Room* room = Find(channel)) return room;
  if (rooms_.size() >= kMaxRooms) return nullptr;
  Room& room = rooms_[KeyOf(channel)];
  room.channel = ChannelName(StripChannelMark(channel));
  return &room;
}

void RoomHistory::Send(Room& room, Purpose purpose, h::Mode mode, std::uint64_t anchor, std::size_t count) {
  lastTag_ = lastTag_ >= kMaxTag ? 1 : lastTag_ + 1;
  pending_[lastTag_] = Pending{KeyOf(room.channel), purpose, count, {}};
  room.outTag = lastTag_;
  ask_(h::Request{std::string(StripChannelMark(room.channel)), lastTag_, mode, anchor, count});
}

void RoomHistory::AskWaiting(Room& room) {
  if (room.outTag) return;
  if (room.catchUp) {
    Send(room, Purpose::kCatchUp, h::Mode::kAfter, room.catchUp->cursor, perRequest_);
  } else if (room.entry) {
    Send(room, Purpose::kEntry, h::Mode::kLatest, 0, std::min(room.entry->wanted, perRequest_));
  }
}

void RoomHistory::Shown(Room& room, std::uint64_t id) {
  room.newestShown = std::max(room.newestShown, id);
  if (!room.oldestShown || id < room.oldestShown) room.oldestShown = id;
  if (!room.firstLive) room.firstLive = id;
  room.placed = true;
}

void RoomHistory::Connected() {
  offer_ = OfferState::kAwaited;
  waiting_.clear();
  for (auto& [tag, p] : pending_) {
    // A reader waiting at the top may ask again.
    const Room* room = Find(p.key);
    if (room && p.purpose == Purpose::kOlder) window_.AddOlderLines(room->channel, {}, false);
  }
  pending_.clear();
  for (auto& [key, room] : rooms_) room.outTag = 0;
}

void RoomHistory::Offered(const std::optional<h::Offer>& offer) {
  if (offer_ != OfferState::kAwaited) return;
  if (!offer || offer->lines == 0 || offer->maxPerRequest == 0) return HistoryOff();
  offer_ = OfferState::kOn;
  perRequest_ = std::min(offer->maxPerRequest, h::kMaxRequestLines);
  const std::vector<std::string> waiting = std::move(waiting_);
  waiting_.clear();
  for (const std::string& key : waiting) {
    if (Room* room = Find(key)) AskWaiting(*room);
  }
}

void RoomHistory::NotOffered() {
  if (offer_ == OfferState::kAwaited) HistoryOff();
}

void RoomHistory::HistoryOff() {
  offer_ = OfferState::kOff;
  const std::vector<std::string> waiting = std::move(waiting_);
  waiting_.clear();
  for (const std::string& key : waiting) {
    Room* room = Find(key);
    if (!room) continue;
    room->entry.reset();
    if (room->catchUp) FinishCatchUp(*room);  // what an earlier connection gathered is still shown
  }
}

void RoomHistory::Entered(std::string_view channel) {
  Left(channel);
  Room* room = FindOrAdd(channel);
  const std::size_t lines = std::min(window_.EntryHistoryLines(), h::kMaxRequestLines);
  if (!room || offer_ == OfferState::kOff) return;
  // Showing none on entry still needs the newest id, or lines said during a drop could not be asked for.
  room->entry = Entry{std::max<std::size_t>(lines, 1), {}, 0, 0, lines == 0};
  if (offer_ == OfferState::kOn) return AskWaiting(*room);
  waiting_.push_back(KeyOf(channel));
}

void RoomHistory::Left(std::string_view channel) {
  const std::string key = KeyOf(channel);
  if (!rooms_.erase(key)) return;
  std::erase_if(pending_, [&](const auto& entry) { return entry.second.key == key; });
  std::erase(waiting_, key);
}

void RoomHistory::BackIn(std::string_view channel) {
  const std::string name = ChannelName(StripChannelMark(channel));
  Room* room = FindOrAdd(channel);
  if (!room) return window_.ConnectionBackIn(name);
  room->channel = name;
  // An entry the drop cut off: with live lines shown, what was missed after them
  // matters more; without, it is asked again from the newest line.
  if (room->entry && room->firstLive) room->entry.reset();
  if (room->entry) {
    const std::size_t lines = std::min(window_.EntryHistoryLines(), h::kMaxRequestLines);
    room->entry = Entry{std::max<std::size_t>(lines, 1), {}, 0, 0, lines == 0};
  }
  if (!room->catchUp && !room->entry && room->placed && offer_ != OfferState::kOff) {
    room->catchUp = CatchUp{room->newestShown, {}, 0, {}};
  }
  if (!room->catchUp) window_.ConnectionBackIn(name);  // nothing to catch up (the entry may still be asked)
  if (!room->catchUp && !room->entry) return;
  if (offer_ == OfferState::kOn) return AskWaiting(*room);
  if (offer_ == OfferState::kOff) {
    room->entry.reset();
    return FinishCatchUp(*room);  // what an earlier connection gathered is still shown
  }
  if (std::find(waiting_.begin(), waiting_.end(), KeyOf(channel)) == waiting_.end()) waiting_.push_back(KeyOf(channel));
}

void RoomHistory::RequestOlder(std::string_view channel) {
  Room* room = Find(channel);
  if (!On() || !room || room->outTag || room->reachedStart || room->entry || room->catchUp) return;
  if (room->oldestShown) {
    Send(*room, Purpose::kOlder, h::Mode::kBefore, room->oldestShown, kOlderLines);
  } else {
    Send(*room, Purpose::kOlder, h::Mode::kLatest, 0, kOlderLines);
  }
}

void RoomHistory::Live(const h::StampedLine& line) {
  const std::string channel = ChannelName(line.room);
  Room* room = FindOrAdd(channel);
  if (room && room->catchUp) {
    if (room->catchUp->held.size() < kMaxHeldLines) room->catchUp->held.emplace_back(channel, Earlier(line));
    return;
  }
  window_.AddMessage(channel, line.sender, line.text);
  if (room) Shown(*room, line.id);
}

void RoomHistory::OwnLine(const h::OwnStamp& stamp) {
  Room* room = Find(stamp.room);
  if (!room) return;
  room->own.insert(stamp.id);
  if (room->own.size() > kMaxOwnIds) room->own.erase(room->own.begin());
  // It is in the transcript already; while catching up the answers still decide what was missed.
  if (!room->catchUp) Shown(*room, stamp.id);
}

void RoomHistory::AnswerLine(const h::AnswerLine& answer) {
  const auto it = pending_.find(answer.tag);
  if (it == pending_.end() || KeyOf(answer.line.room) != it->second.key) return;
  Pending& p = it->second;
  // Oldest first, as many as asked: anything else is not an answer of ours.
  if (p.lines.size() >= p.count || (!p.lines.empty() && answer.line.id <= p.lines.back().id)) return;
  p.lines.push_back(Earlier(answer.line));
}

void RoomHistory::AnswerEnd(const h::AnswerEnd& end) {
  const auto it = pending_.find(end.tag);
  if (it == pending_.end() || KeyOf(end.room) != it->second.key) return;
  Pending p = std::move(it->second);
  pending_.erase(it);
  Room* room = Find(p.key);
  if (!room) return;
  room->outTag = 0;
  switch (p.purpose) {
    case Purpose::kEntry:
      return EndEntry(*room, p, end);
    case Purpose::kCatchUp:
      return EndCatchUp(*room, p, end);
    case Purpose::kOlder:
      return EndOlder(*room, p, end);
  }
}

void RoomHistory::EndEntry(Room& room, Pending& p, const h::AnswerEnd& end) {
  if (!room.entry) return;
  Entry& entry = *room.entry;
  if (!p.lines.empty()) entry.newest = std::max(entry.newest, p.lines.back().id);
  std::vector<EarlierLine> kept;
  for (EarlierLine& line : p.lines) {
    // At or above the first live line it was shown live; the user's own are in the transcript.
    if (entry.markOnly || (room.firstLive && line.id >= room.firstLive)) continue;
    if (room.own.contains(line.id) || (entry.firstAsked && line.id >= entry.firstAsked)) continue;
    kept.push_back(std::move(line));
  }
  entry.lines.insert(entry.lines.begin(), kept.begin(), kept.end());
  entry.wanted -= std::min(entry.wanted, p.lines.size());
  if (!p.lines.empty()) entry.firstAsked = p.lines.front().id;
  // Cut short to keep the answer small: the rest comes from before its first line.
  if (end.outcome == h::Outcome::kMore && !p.lines.empty() && entry.wanted > 0) {
    return Send(room, Purpose::kEntry, h::Mode::kBefore, entry.firstAsked, std::min(entry.wanted, perRequest_));
  }
  if (end.outcome != h::Outcome::kRefused) room.placed = true;
  room.newestShown = std::max(room.newestShown, entry.newest);
  if (entry.markOnly) return room.entry.reset();  // what was not shown stays for paging back
  room.reachedStart = end.outcome == h::Outcome::kEnded;
  if (entry.firstAsked && (!room.oldestShown || entry.firstAsked < room.oldestShown)) {
    room.oldestShown = entry.firstAsked;
  }
  if (!entry.lines.empty()) window_.AddEntryHistory(room.channel, entry.lines);
  room.entry.reset();
}

void RoomHistory::EndCatchUp(Room& room, Pending& p, const h::AnswerEnd& end) {
  if (!room.catchUp) return;
  CatchUp& c = *room.catchUp;
  const std::uint64_t before = c.cursor;
  for (EarlierLine& line : p.lines) {
    if (line.id <= c.cursor) continue;
    c.cursor = line.id;
    if (room.own.contains(line.id)) continue;
    if (c.gathered.size() >= kMaxMissedLines) {
      c.missing = std::nullopt;  // more than is kept for one catch-up: how many is not counted
      continue;
    }
    c.gathered.push_back(std::move(line));
  }
  // Refused (the store out of reach for now): what was missed cannot be told, so the room says so.
  if (!end.missing || end.outcome == h::Outcome::kRefused) {
    c.missing = std::nullopt;
  } else if (c.missing) {
    *c.missing += *end.missing;
  }
  const bool again = end.outcome == h::Outcome::kMore || end.outcome == h::Outcome::kComplete;
  if (again && c.cursor > before && c.gathered.size() < kMaxMissedLines) {
    return Send(room, Purpose::kCatchUp, h::Mode::kAfter, c.cursor, perRequest_);
  }
  FinishCatchUp(room);
}

void RoomHistory::FinishCatchUp(Room& room) {
  if (!room.catchUp) return;
  CatchUp c = std::move(*room.catchUp);
  room.catchUp.reset();
  if (!c.gathered.empty() || c.missing != std::uint64_t{0}) {
    window_.AddMissedLines(room.channel, c.gathered, c.missing);
  }
  if (!c.gathered.empty() && (!room.oldestShown || c.gathered.front().id < room.oldestShown)) {
    room.oldestShown = c.gathered.front().id;
  }
  room.newestShown = std::max(room.newestShown, c.cursor);
  window_.ConnectionBackIn(room.channel);
  for (const auto& [channel, line] : c.held) {
    if (line.id <= room.newestShown || room.own.contains(line.id)) continue;
    window_.AddMessage(channel, line.senderId, line.text);
    room.newestShown = line.id;
  }
  if (!room.own.empty()) room.newestShown = std::max(room.newestShown, *room.own.rbegin());
}

void RoomHistory::EndOlder(Room& room, Pending& p, const h::AnswerEnd& end) {
  std::vector<EarlierLine> kept;
  for (EarlierLine& line : p.lines) {
    if ((room.oldestShown && line.id >= room.oldestShown) || room.own.contains(line.id)) continue;
    kept.push_back(std::move(line));
  }
  if (!p.lines.empty() && (!room.oldestShown || p.lines.front().id < room.oldestShown)) {
    room.oldestShown = p.lines.front().id;
  }
  if (!p.lines.empty() && room.newestShown < p.lines.back().id) room.newestShown = p.lines.back().id;
  room.reachedStart = end.outcome == h::Outcome::kEnded;
  window_.AddOlderLines(room.channel, kept, room.reachedStart);
}

}  // namespace orvinta::protocol
