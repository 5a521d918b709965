#include "server/session_commands.h"

#include <vector>

#include "text/text_util.h"
#include "server/system_codes.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

enum class Verdict { kKeep, kDrop };

Verdict CheckAwaitingLogin(ServerContext& ctx, Session& s, Millis now) {
  return now - s.connectedAt >= ctx.limits.loginTimeout ? Verdict::kDrop : Verdict::kKeep;
}

Verdict CheckQuerying(ServerContext& ctx, Session& s, Millis now) {
  return now - s.lastHeard >= ctx.limits.queryIdleTimeout ? Verdict::kDrop : Verdict::kKeep;
}

Verdict CheckLoggedIn(ServerContext& ctx, Session& s, Millis now) {
  const Millis interval = ctx.limits.pingInterval;
  if (now - s.lastHeard >= 2 * interval) return Verdict::kDrop;
  if (now >= s.nextPing) {
    ctx.Send(s.connection, "PING", "");
    // After a stall (a long pause of the loop) ping once, not once per missed interval.
    s.nextPing = s.nextPing + interval > now ? s.nextPing + interval : now + interval;
  }
  return Verdict::kKeep;
}

using Check = Verdict (*)(ServerContext&, Session&, Millis);

Check CheckFor(SessionState state) {
  switch (state) {
    case SessionState::kAwaitingLogin: return CheckAwaitingLogin;
    case SessionState::kQuerying: return CheckQuerying;
    case SessionState::kLoggedIn: return CheckLoggedIn;
  }
  return CheckAwaitingLogin;
}

void Refuse(ServerContext& ctx, Session& session) {
  ctx.SendSystem(session.connection, system_code::kRefused, "");
  ctx.Drop(session.connection);
}

}  // namespace

void HandleLogin(ServerContext& ctx, Session& session, std::string_view body) {
  if (session.LoggedIn()) return;
  // UserId / SessionKey / Nick / IconNo. The session key belongs to the portal,
  // which this server cannot ask; it is accepted as it comes.
  const auto fields = text::Split(body, '/');
  if (fields.size() < 4 || !IsValidUserId(fields[0], ctx.limits)) {
    Refuse(ctx, session);
    return;
  }
  const std::string userId(fields[0]);
  // Only one connection per id. The session already connected keeps going and
  // the newcomer is told so and closed: a stale or hostile second login must
  // not be able to throw out a member who is chatting.
  if (ctx.sessions.FindUser(userId) != nullptr) {
    ctx.SendSystem(session.connection, system_code::kAlreadyConnected, userId);
    ctx.Drop(session.connection);
    return;
  }
  // A nickname holding "/" arrives split; its pieces are joined back.
  std::string nick;
  for (std::size_t i = 2; i + 1 < fields.size(); ++i) nick.append(fields[i]);
  session.nick = CleanNick(nick, userId, ctx.limits);
  session.icon = CleanNumber(fields.back(), ctx.limits).value_or("0");
  ctx.sessions.BindUser(session, userId);
  const Millis now = ctx.Now();
  session.lastHeard = now;
  session.nextPing = now + ctx.limits.pingInterval;
  ctx.Send(session.connection, "USRP", "");
}

void HandlePong(ServerContext& ctx, Session& session, std::string_view) { session.lastHeard = ctx.Now(); }

void TickSessions(ServerContext& ctx) {
  const Millis now = ctx.Now();
  std::vector<ConnectionId> dropped;
  ctx.sessions.ForEach([&](Session& s) {
    if (CheckFor(s.state)(ctx, s, now) == Verdict::kDrop) dropped.push_back(s.connection);
  });
  for (ConnectionId id : dropped) ctx.Drop(id);
}

}  // namespace orvinta::server
