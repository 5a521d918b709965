#include "server/session_commands.h"

#include <vector>

#include "text/text_util.h"
#include "protocol/wire_commands.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

enum class Verdict { kKeep, kDrop };

Verdict CheckAwaitingLogin(ServerContext& ctx, Session& s, Millis now) {
  return now - s.lastHeard >= ctx.limits.loginTimeout ? Verdict::kDrop : Verdict::kKeep;
}

Verdict CheckQuerying(ServerContext&, Session&, Millis) { return Verdict::kKeep; }

Verdict CheckLoggedIn(ServerContext& ctx, Session& s, Millis now) {
  const Millis interval = ctx.limits.pingInterval;
  if (now - s.lastHeard >= 2 * interval) return Verdict::kDrop;
  if (now >= s.nextPing) {
    ctx.Send(s.connection, wire::kPing, "");
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

namespace code = wire::system_code;

void Refuse(ServerContext& ctx, Session& session, Refusal reason, int systemCode, std::string_view value,
            std::string_view what) {
  ctx.Refused(reason, session, what);
  ctx.SendSystem(session.connection, systemCode, value);
  ctx.Drop(session.connection);
}

Refusal RefusalFor(KeyVerdict verdict) {
  return verdict == KeyVerdict::kExpired ? Refusal::kExpiredKey : Refusal::kBadKey;
}

void CompleteLogin(ServerContext& ctx, Session& session, const std::string& userId, const RateState& resumed) {
  // A querying connection that logs in no longer counts as one.
  if (session.state == SessionState::kQuerying) ctx.queryingPerAddress.Release(session.address);
  session.rates = resumed;
  ctx.sessions.BindUser(session, userId);
  ++ctx.metrics.logins;
  if (ctx.Logs(LogLevel::kNormal)) {
    ctx.Log(LogLevel::kNormal, "login " + Who(session) + " nick " + LogText(session.nick));
  }
  const Millis now = ctx.Now();
  session.lastHeard = now;
  session.nextPing = now + ctx.limits.pingInterval;
  ctx.Send(session.connection, wire::kUserReply, "");
}

// Asks the cluster for the id and logs the session in when granted. Held on
// another node, that node is asked once whether its session still answers.
void Claim(ServerContext& ctx, ConnectionId connection, const std::string& userId, const RateState& resumed,
           bool probed) {
  ctx.cluster.ClaimUser(userId, [&ctx, connection, userId, resumed, probed](bool granted) {
    Session* s = ctx.sessions.Find(connection);
    if (s == nullptr || !s->claiming) {
      if (granted) ctx.cluster.ReleaseUser(userId);  // it left while we asked
      return;
    }
    if (!granted && !probed && ctx.sessions.FindUser(userId) == nullptr) {
      ctx.cluster.ProbeUser(userId, [&ctx, connection, userId, resumed](bool live) {
        Session* s = ctx.sessions.Find(connection);
        if (s == nullptr || !s->claiming) return;
        if (!live) return Claim(ctx, connection, userId, resumed, true);
        s->claiming = false;
        Refuse(ctx, *s, Refusal::kAlreadyConnected, code::kAlreadyConnected, userId, "login " + LogText(userId));
      });
      return;
    }
    s->claiming = false;
    if (!granted || ctx.sessions.FindUser(userId) != nullptr) {
      Refuse(ctx, *s, Refusal::kAlreadyConnected, code::kAlreadyConnected, userId, "login " + LogText(userId));
      return;
    }
    CompleteLogin(ctx, *s, userId, resumed);
  });
}

// Names the session from its login, then claims the id (other nodes may hold
// it; the answer may come later).
void ClaimAndAdmit(ServerContext& ctx, Session& session, const std::string& userId,
                   const std::vector<std::string_view>& fields, const RateState& resumed) {
  // A nickname holding "/" arrives split; its pieces are joined back.
  std::string nick;
  for (std::size_t i = 2; i + 1 < fields.size(); ++i) nick.append(fields[i]);
  session.nick = CleanNick(nick, userId, ctx.limits);
  session.icon = CleanNumber(fields.back(), ctx.limits).value_or("0");
  session.claiming = true;
  session.lastHeard = ctx.Now();
  Claim(ctx, session.connection, userId, resumed, false);
}

// A live holder keeps its id; a silent one is closed (leaving its rooms as
// any close does) and the waiting login goes on.
void SettleLoginContests(ServerContext& ctx) {
  if (ctx.loginContests.Empty()) return;
  const auto gone = [&](ConnectionId id) { return ctx.sessions.Find(id) == nullptr; };
  for (const LoginContest& c : ctx.loginContests.TakeDecided(ctx.Now(), gone)) {
    const bool live = c.answered && !gone(c.holder);
    if (c.remote) {  // another node's login waits for the answer
      if (!live && !gone(c.holder)) {
        ctx.Log(LogLevel::kNormal, "timeout " + Who(*ctx.sessions.Find(c.holder)) + " (silent while its id logged in on another node)");
        ctx.Drop(c.holder);
      }
      c.remote(live);
      continue;
    }
    Session* newcomer = ctx.sessions.Find(c.newcomer);
    if (newcomer == nullptr || newcomer->LoggedIn()) continue;
    if (c.answered && !gone(c.holder)) {
      Refuse(ctx, *newcomer, Refusal::kAlreadyConnected, code::kAlreadyConnected, c.userId,
             "login " + LogText(c.userId));
      continue;
    }
    if (const Session* holder = ctx.sessions.Find(c.holder)) {
      ctx.Log(LogLevel::kNormal, "timeout " + Who(*holder) + " (silent while its id logged in again)");
      ctx.Drop(c.holder);
    }
    if (ctx.sessions.FindUser(c.userId) != nullptr) continue;  // taken meanwhile
    ClaimAndAdmit(ctx, *newcomer, c.userId, text::Split(c.loginBody, '/'), ctx.rateLedger.Resume(c.userId));
  }
}

}  // namespace

void HandleLogin(ServerContext& ctx, Session& session, std::string_view body) {
  if (session.LoggedIn() || session.claiming || ctx.loginContests.HasNewcomer(session.connection)) return;
  // UserId / SessionKey / Nick / IconNo.
  const auto fields = text::Split(body, '/');
  if (fields.size() < 4 || !IsValidUserId(fields[0], ctx.limits)) {
    Refuse(ctx, session, Refusal::kBadLogin, code::kRefused, "", "login " + LogText(fields[0]));
    return;
  }
  const std::string userId(fields[0]);
  const Millis now = ctx.Now();
  // Attempts from one address are limited before the key is looked at: a
  // guesser or a reconnect storm costs a check, not a session.
  if (!ctx.connectionsPerAddress.Exempt(session.address) && !ctx.rateLedger.TakeAddressLogin(session.address, now)) {
    Refuse(ctx, session, Refusal::kLoginRate, code::kRefused, "", "login " + LogText(userId) + " from a busy address");
    return;
  }
  // The key proves that the portal signed this member in; without it anyone
  // could log in as anyone first and lock the real member out.
  if (ctx.keys != nullptr) {
    const KeyVerdict verdict = ctx.keys->Check(userId, fields[1]);
    if (verdict != KeyVerdict::kValid) {
      Refuse(ctx, session, RefusalFor(verdict), code::kNotAllowed, userId, "login " + LogText(userId));
      return;
    }
  }
  // Logins of one id are limited only once its key is known good, so that
  // nobody else can use up the member's allowance.
  // While the id is connected its buckets are that session's.
  Session* current = ctx.sessions.FindUser(userId);
  RateState resumed = current ? RateState{} : ctx.rateLedger.Resume(userId);
  if (!ctx.rateLedger.TakeIdLogin(current ? current->rates : resumed, now)) {
    if (!current) ctx.rateLedger.Keep(userId, resumed, now);
    Refuse(ctx, session, Refusal::kLoginRate, code::kRefused, "", "login " + LogText(userId) + " too often");
    return;
  }
  // Only one connection per id. A live session keeps going and the newcomer
  // is told so and closed: a stale or hostile second login must not throw
  // out a member who is chatting. But a session whose network died silently
  // would lock its member out until the keep-alive gave up, so the holder is
  // pinged first and makes way if it stays silent.
  if (current != nullptr) {
    if (ctx.loginContests.HasId(userId)) {
      Refuse(ctx, session, Refusal::kAlreadyConnected, code::kAlreadyConnected, userId, "login " + LogText(userId));
      return;
    }
    ctx.Send(current->connection, wire::kPing, "");
    ctx.loginContests.Open({userId, current->connection, session.connection, std::string(body),
                            now + LoginContests::kHolderAnswerMs, false, {}});
    session.lastHeard = now;
    return;
  }
  ClaimAndAdmit(ctx, session, userId, fields, resumed);
}

void AnswerProbe(ServerContext& ctx, const std::string& userId, std::function<void(bool live)> answer) {
  Session* holder = ctx.sessions.FindUser(userId);
  if (holder == nullptr) return answer(false);
  ctx.Send(holder->connection, wire::kPing, "");
  ctx.loginContests.Open(
      {userId, holder->connection, 0, {}, ctx.Now() + LoginContests::kHolderAnswerMs, false, std::move(answer)});
}

void EndLaterLogin(ServerContext& ctx, const std::string& userId) {
  if (Session* session = ctx.sessions.FindUser(userId)) {
    Refuse(ctx, *session, Refusal::kAlreadyConnected, code::kAlreadyConnected, userId,
           "login " + LogText(userId) + " (logged in earlier on another node)");
  }
}

void HandlePong(ServerContext& ctx, Session& session, std::string_view) {
  session.lastHeard = ctx.Now();
  ctx.loginContests.Answered(session.connection);
}

void TickSessions(ServerContext& ctx) {
  SettleLoginContests(ctx);
  const Millis now = ctx.Now();
  std::vector<ConnectionId> dropped;
  ctx.sessions.ForEach([&](Session& s) {
    if (CheckFor(s.state)(ctx, s, now) == Verdict::kDrop) dropped.push_back(s.connection);
  });
  for (ConnectionId id : dropped) {
    if (const Session* s = ctx.sessions.Find(id)) ctx.Log(LogLevel::kNormal, "timeout " + Who(*s));
    ctx.Drop(id);
  }
}

}  // namespace orvinta::server
