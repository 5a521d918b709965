#include "server/history_commands.h"

#include "protocol/codec.h"
#include "protocol/history_frames.h"
#include "protocol/wire_commands.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

namespace history = protocol::history;

HistoryMode ModeOf(history::Mode mode) {
  switch (mode) {
    case history::Mode::kAfter:
      return HistoryMode::kAfter;
    case history::Mode::kBefore:
      return HistoryMode::kBefore;
    case history::Mode::kLatest:
      break;
  }
  return HistoryMode::kLatest;
}

history::Outcome OutcomeOf(const HistoryPage& page) {
  if (page.unavailable) return history::Outcome::kRefused;
  if (page.cut) return history::Outcome::kMore;
  return page.ended ? history::Outcome::kEnded : history::Outcome::kComplete;
}

// Only a member of the room, at the time of asking, reads its history: a 1:1
// room's is its two members' alone, and nobody barred from it reads it.
bool MayRead(ServerContext& ctx, const Session& session, const std::string& roomKey) {
  const std::string roomId = RoomIdOf(roomKey);
  return ctx.history != nullptr && session.rooms.contains(roomId) && MayEnterRoom(roomKey, session.userId) &&
         !ctx.expulsions.Barred(roomId, session.userId, ctx.Now());
}

// The line goes to the room's members here but its sender: stamped ("HTAL")
// to those who asked for history, "TALL" to the others, and the sender
// learns its id. Id 0: not kept, "TALL" to all.
void Deliver(ServerContext& ctx, const Room& room, std::string_view body, std::uint64_t id, Millis time,
             const Session* sender, Millis waited) {
  const ConnectionId except = sender ? sender->connection : ServerContext::kNobody;
  if (id == 0) {
    ctx.SendToRoom(room, wire::kToAll, body, except, waited);
    return;
  }
  const std::string plain = protocol::MakeFrame(wire::kToAll, body);
  const std::string stamped = protocol::MakeFrame(wire::kStampedToAll, history::StampedBody(id, time, body));
  if (plain.empty() || stamped.empty()) return;
  ctx.SendFramesToRoom(room, plain, stamped, except, waited);
  if (sender != nullptr && sender->history) {
    ctx.Send(sender->connection, wire::kOwnLineStamp, history::OwnStampBody(id, time, room.key));
  }
}

}  // namespace

void RelayLine(ServerContext& ctx, const Room& room, std::string_view body, const Session* sender, Millis waited) {
  const std::string roomId = RoomIdOf(room.key);
  if (ctx.history == nullptr) {
    Deliver(ctx, room, body, 0, 0, sender, waited);
  } else {
    const auto line = ctx.history->Append(roomId, body, ctx.WallNow());
    if (!line) return;  // the cluster's store publishes it, and every node relays it as it comes back
    Deliver(ctx, room, body, line->id, line->time, sender, waited);
  }
  if (sender != nullptr) ctx.cluster.Publish(roomId, wire::kToAll, body);
}

void RelayClusterLine(ServerContext& ctx, const Room& room, std::string_view body, std::uint64_t id, Millis time,
                      Millis waited) {
  const Session* sender = ctx.sessions.FindUser(text::SplitFields(body, '/', 3)[0]);
  if (sender != nullptr && !sender->rooms.contains(RoomIdOf(room.key))) sender = nullptr;
  Deliver(ctx, room, body, id, time, sender, waited);
}

void HandleHistoryHello(ServerContext& ctx, Session& session, std::string_view body) {
  // A client of another version hears what this server speaks and is sent nothing new.
  session.history = ctx.history != nullptr && body == history::kVersion;
  for (const std::string& roomId : session.rooms) {
    Room* room = ctx.rooms.Find(roomId);
    if (RoomMember* self = room ? room->FindMember(session.connection) : nullptr) self->history = session.history;
  }
  history::Offer offer;
  if (ctx.history != nullptr) {
    offer.lines = ctx.limits.historyLines;
    offer.days = ctx.limits.historyDays;
  }
  ctx.Send(session.connection, wire::kHistoryHello, history::OfferBody(offer));
}

void HandleHistoryRequest(ServerContext& ctx, Session& session, std::string_view body) {
  if (!session.history) return;  // never offered: the frame means nothing here
  const auto request = history::ParseRequest(body);
  const auto key = request ? CleanRoomKey(request->room, ctx.limits) : std::nullopt;
  if (!key) return;
  const Room* room = ctx.rooms.Find(*key);
  history::AnswerEnd end{room ? room->key : *key, request->tag, history::Outcome::kRefused, 0, 0};
  if (!MayRead(ctx, session, end.room)) {
    ctx.Send(session.connection, wire::kHistoryEnd, history::AnswerEndBody(end));
    return;
  }
  ++ctx.metrics.historyRequests;
  const HistoryQuery query{RoomIdOf(*key), ModeOf(request->mode), request->anchor, request->count,
                           ctx.limits.historyAnswerBytes};
  const ConnectionId connection = session.connection;
  const std::string userId = session.userId;
  ctx.history->Read(query, ctx.WallNow(), [&ctx, connection, userId, end](HistoryPage page) mutable {
    const Session* s = ctx.sessions.Find(connection);
    if (s == nullptr || s->userId != userId) return;
    for (const HistoryLine& line : page.lines) {
      ctx.Send(connection, wire::kHistoryLine, history::AnswerLineBody(end.tag, line.id, line.time, line.body));
    }
    end.outcome = OutcomeOf(page);
    end.count = page.lines.size();
    end.missing = page.missing;
    ctx.Send(connection, wire::kHistoryEnd, history::AnswerEndBody(end));
  });
}

}  // namespace orvinta::server
