#pragma once
// The Lua scripts the cluster runs in Redis. Each runs as one step, so no
// other node sees or changes the state half way. A node is one run of a name:
// RUN is "NAME:GENERATION", new at every start. Keys: "orv:run:NAME" (the
// name's current run), "orv:user:ID" ("RUN/LOGIN_MS": where the id is logged
// in, since when), "orv:users:RUN" and "orv:seats:RUN" (what a run registered),
// "orv:room:ROOM" (member id -> "RUN/ICON/STATUS/NICK"), "orv:key:ROOM" (the
// room's spelling), "orv:index" (ROOM -> "COUNT/KEY" for every room with
// members) and "orv:index:v" (bumped when it changes), "orv:vote:ROOM" (the
// run holding the room's vote, expiring), "orv:bar:ROOM/ID" (an expulsion,
// expiring), "orv:nodes" and "orv:alive:RUN" (heartbeats, expiring),
// "orv:hist:ROOM" (the room's history, a stream) and "orv:hctr:ROOM" (its ids).
// Channels: "orv:chan:ROOM" (a room's traffic), "orv:to:RUN" (frames for one
// run's members), "orv:all" (a run stated again what it holds).
#include <string>
#include <string_view>

namespace orvinta::server::redis_script {

// What the scripts share: whose a record is, a message as nodes make them,
// the room index, taking a seat out (telling the room it was left), and a
// run's retirement (its members leave every room, its ids go).
inline constexpr std::string_view kCommon = R"(
local function owner(v)
  local s = string.find(v, '/', 1, true)
  if s then return string.sub(v, 1, s - 1) end
  return v
end
local function msg(origin, now, target, cmd, body)
  return origin .. '\0' .. now .. '\0' .. target .. '\0' .. cmd .. '\0' .. body
end
local function reindex(room)
  local n = redis.call('HLEN', 'orv:room:' .. room)
  if n == 0 then
    redis.call('DEL', 'orv:key:' .. room)
    redis.call('HDEL', 'orv:index', room)
  else
    redis.call('HSET', 'orv:index', room, n .. '/' .. (redis.call('GET', 'orv:key:' .. room) or room))
  end
  redis.call('INCR', 'orv:index:v')
end
local function unseat(room, id, run, origin, now)
  local h = 'orv:room:' .. room
  redis.call('SREM', 'orv:seats:' .. run, room .. '/' .. id)
  local r = redis.call('HGET', h, id)
  if not r or owner(r) ~= run then return end
  local key = redis.call('GET', 'orv:key:' .. room) or room
  redis.call('HDEL', h, id)
  redis.call('PUBLISH', 'orv:chan:' .. room, msg(origin, now, room, 'CHOT', id .. '/' .. key))
  reindex(room)
end
local function retire(run, now)
  for _, seat in ipairs(redis.call('SMEMBERS', 'orv:seats:' .. run)) do
    local s = string.find(seat, '/', 1, true)
    if s then unseat(string.sub(seat, 1, s - 1), string.sub(seat, s + 1), run, '', now) end
  end
  for _, id in ipairs(redis.call('SMEMBERS', 'orv:users:' .. run)) do
    local v = redis.call('GET', 'orv:user:' .. id)
    if v and owner(v) == run then redis.call('DEL', 'orv:user:' .. id) end
  end
  redis.call('DEL', 'orv:seats:' .. run, 'orv:users:' .. run, 'orv:alive:' .. run)
  redis.call('SREM', 'orv:nodes', run)
end
local function alive(run)
  return redis.call('EXISTS', 'orv:alive:' .. run) == 1
end
)";

// ARGV: id, run, login ms, take ("1": its holder was found gone). "" when the
// id is now this run's, else the live run holding it.
inline const std::string kClaim = std::string(kCommon) + R"(
local k = 'orv:user:' .. ARGV[1]
local v = redis.call('GET', k)
if v and owner(v) ~= ARGV[2] and ARGV[4] ~= '1' and alive(owner(v)) then return owner(v) end
redis.call('SET', k, ARGV[2] .. '/' .. ARGV[3])
redis.call('SADD', 'orv:users:' .. ARGV[2], ARGV[1])
return ''
)";

// ARGV: id, run.
inline const std::string kRelease = std::string(kCommon) + R"(
local k = 'orv:user:' .. ARGV[1]
local v = redis.call('GET', k)
if v and owner(v) == ARGV[2] then redis.call('DEL', k) end
redis.call('SREM', 'orv:users:' .. ARGV[2], ARGV[1])
return 1
)";

// ARGV: id. The live run holding the id, or "".
inline const std::string kHolder = std::string(kCommon) + R"(
local v = redis.call('GET', 'orv:user:' .. ARGV[1])
if v and alive(owner(v)) then return owner(v) end
return ''
)";

// ARGV: room, run. The vote's key goes only when this run holds it.
inline constexpr std::string_view kReleaseVote = R"(
local k = 'orv:vote:' .. ARGV[1]
if redis.call('GET', k) == ARGV[2] then redis.call('DEL', k) end
return 1
)";

// ARGV: room, key, id, record, capacity, run.
// {"seated", key, vote, id, record, ...} with the room's spelling, "1" when a
// vote runs there ("0" when not) and every member; or {"full"} or {"barred"}.
inline const std::string kSeat = std::string(kCommon) + R"(
local room, id, run, cap = ARGV[1], ARGV[3], ARGV[6], tonumber(ARGV[5])
local h = 'orv:room:' .. room
if redis.call('EXISTS', 'orv:bar:' .. room .. '/' .. id) == 1 then return {'barred'} end
if redis.call('HEXISTS', h, id) == 0 and redis.call('HLEN', h) >= cap then return {'full'} end
redis.call('SET', 'orv:key:' .. room, ARGV[2], 'NX')
if redis.call('HSET', h, id, ARGV[4]) == 1 then reindex(room) end
redis.call('SADD', 'orv:seats:' .. run, room .. '/' .. id)
local out = redis.call('HGETALL', h)
table.insert(out, 1, tostring(redis.call('EXISTS', 'orv:vote:' .. room)))
table.insert(out, 1, redis.call('GET', 'orv:key:' .. room))
table.insert(out, 1, 'seated')
return out
)";

// ARGV: room, id, run, now. Only this run's seat goes (the id may sit there
// from another by now), and only then is the room told "CHOT".
inline const std::string kLeave = std::string(kCommon) + R"(
unseat(ARGV[1], ARGV[2], ARGV[3], ARGV[3], ARGV[4])
return 1
)";

// ARGV: room, id, record.
inline constexpr std::string_view kUpdate = R"(
local h = 'orv:room:' .. ARGV[1]
if redis.call('HEXISTS', h, ARGV[2]) == 1 then redis.call('HSET', h, ARGV[2], ARGV[3]) end
return 1
)";

// ARGV: id, payload. 1 when some run has the id.
inline const std::string kToUser = std::string(kCommon) + R"(
local v = redis.call('GET', 'orv:user:' .. ARGV[1])
if not v then return 0 end
redis.call('PUBLISH', 'orv:to:' .. owner(v), ARGV[2])
return 1
)";

// ARGV: run, name, milliseconds to live. 1 when Redis did not know the run (it
// restarted empty, or swept the run after a stall): it must state again what
// it holds; 2 when a newer run of the name has started.
inline constexpr std::string_view kBeat = R"(
local current = redis.call('GET', 'orv:run:' .. ARGV[2])
if current and current ~= ARGV[1] then return 2 end
redis.call('SET', 'orv:alive:' .. ARGV[1], '1', 'PX', ARGV[3])
return redis.call('SADD', 'orv:nodes', ARGV[1])
)";

// ARGV: run, name, milliseconds to live, now, first ("1" at the run's start),
// user count, then id and login ms per user, then room, key, id, record per
// seat. Makes Redis hold exactly what the run holds. At its start a run
// retires the name's previous run at once. An id another live run holds stays
// with the earlier login, and that run is told ("DUPL") when it lost it.
// {"ok", id, ...} with the ids this run lost, or {"replaced"} when a newer run
// of the name has started. Every run is told ("STAT" on "orv:all") to
// reconcile.
inline const std::string kState = std::string(kCommon) + R"(
local run, name, ttl, now, first, nu = ARGV[1], ARGV[2], ARGV[3], ARGV[4], ARGV[5] == '1', tonumber(ARGV[6])
local prev = redis.call('GET', 'orv:run:' .. name)
if prev and prev ~= run then
  if not first then return {'replaced'} end
  retire(prev, now)
end
redis.call('SET', 'orv:run:' .. name, run)
redis.call('SET', 'orv:alive:' .. run, '1', 'PX', ttl)
redis.call('SADD', 'orv:nodes', run)
local out, keep, lost = {'ok'}, {}, {}
local i = 7
for _ = 1, nu do
  local id, ms = ARGV[i], ARGV[i + 1]
  i = i + 2
  local k = 'orv:user:' .. id
  local v = redis.call('GET', k)
  local take = not v or owner(v) == run or not alive(owner(v))
  if not take then
    local s = string.find(v, '/', 1, true)
    local theirs = tonumber(s and string.sub(v, s + 1) or '') or 0
    take = tonumber(ms) < theirs or (tonumber(ms) == theirs and run < owner(v))
    if take then redis.call('PUBLISH', 'orv:to:' .. owner(v), msg(run, now, id, 'DUPL', ms)) end
  end
  if take then
    keep[id] = true
    redis.call('SET', k, run .. '/' .. ms)
    redis.call('SADD', 'orv:users:' .. run, id)
  else
    lost[id] = true
    table.insert(out, id)
  end
end
for _, id in ipairs(redis.call('SMEMBERS', 'orv:users:' .. run)) do
  if not keep[id] then
    local v = redis.call('GET', 'orv:user:' .. id)
    if v and owner(v) == run then redis.call('DEL', 'orv:user:' .. id) end
    redis.call('SREM', 'orv:users:' .. run, id)
  end
end
local seated = {}
while i + 3 <= #ARGV do
  local room, key, id, rec = ARGV[i], ARGV[i + 1], ARGV[i + 2], ARGV[i + 3]
  i = i + 4
  if not lost[id] then
    seated[room .. '/' .. id] = true
    redis.call('SET', 'orv:key:' .. room, key, 'NX')
    if redis.call('HSET', 'orv:room:' .. room, id, rec) == 1 then reindex(room) end
    redis.call('SADD', 'orv:seats:' .. run, room .. '/' .. id)
  end
end
for _, seat in ipairs(redis.call('SMEMBERS', 'orv:seats:' .. run)) do
  local s = string.find(seat, '/', 1, true)
  if s and not seated[seat] then unseat(string.sub(seat, 1, s - 1), string.sub(seat, s + 1), run, run, now) end
end
redis.call('PUBLISH', 'orv:all', msg(run, now, '*', 'STAT', ''))
return out
)";

// ARGV: run, name, now. A clean stop: the run's members leave every room and
// its ids go before it exits.
inline const std::string kRetire = std::string(kCommon) + R"(
retire(ARGV[1], ARGV[3])
if redis.call('GET', 'orv:run:' .. ARGV[2]) == ARGV[1] then redis.call('DEL', 'orv:run:' .. ARGV[2]) end
redis.call('PUBLISH', 'orv:all', msg(ARGV[1], ARGV[3], '*', 'STAT', ''))
return 1
)";

// ARGV: now in ms. Retires every run whose heartbeat expired: its members
// leave (the rooms are told "CHOT"), its ids go. The number of runs swept.
inline const std::string kSweep = std::string(kCommon) + R"(
local gone = 0
for _, n in ipairs(redis.call('SMEMBERS', 'orv:nodes')) do
  if not alive(n) then
    retire(n, ARGV[1])
    gone = gone + 1
  end
end
return gone
)";

// A room's history: the stream "orv:hist:ROOM", one entry per line, entry id
// "ID-0" (the line's id), fields t (Redis's clock, ms since 1970) and b (the
// "TALL" body); "orv:hctr:ROOM" holds seed (the first id of this record of
// the room) and last (the last id given). Both expire together, the line
// bound's days after the room's last line. Ids stay below 2^53 (Lua's
// numbers) and are written with %d, never tostring, which rounds them.
inline constexpr std::string_view kHistoryCommon = R"(
local function num(n) return string.format('%d', n) end
local function clock()
  local t = redis.call('TIME')
  return tonumber(t[1]) * 1000 + math.floor(tonumber(t[2]) / 1000)
end
local function entry_at(s, from, to)
  local e = redis.call('XRANGE', s, num(from) .. '-0', to and (num(to) .. '-0') or '+', 'COUNT', 1)[1]
  if not e then return nil end
  return tonumber(string.match(e[1], '^%d+')), tonumber(e[2][2])
end
-- Drops the lines older than cutoff from the stream's front: a doubling and
-- then a halving search for the first young enough line, so the work grows
-- with the log of what goes, and one look when nothing does. Entries up to lo
-- are too old; none from hi on is.
local function trim_old(s, cutoff)
  local lo, t = entry_at(s, 0)
  if not lo or t >= cutoff then return end
  local step, hi = 1, nil
  while not hi do
    local i, it = entry_at(s, lo + step)
    if not i then hi = lo + step
    elseif it >= cutoff then hi = i
    else lo, step = i, step * 2 end
  end
  while hi - lo > 1 do
    local mid = math.floor((lo + hi) / 2)
    local i, it = entry_at(s, mid, hi - 1)
    if not i then hi = mid
    elseif it >= cutoff then hi = i
    else lo = i end
  end
  redis.call('XTRIM', s, 'MINID', num(hi) .. '-0')
end
)";

// ARGV: room, body, lines kept, milliseconds kept, run, the node's wall ms.
// Gives the line the room's next id, keeps it, and publishes it stamped
// ("HTAL" ID/TIME/BODY) to every node, the sender's included, in this one
// step: ids and order are the same everywhere. The publish comes last, so a
// script that failed published nothing. A record begun again (the room
// expired, Redis restarted empty) starts at the later of Redis's and the
// node's clock in ms times 1000: above any id given before (a room would need
// 1000 lines a millisecond to catch up), so an id a client kept from before is
// never given again, and an anchor below the seed is answered "count unknown".
// The line's id.
inline const std::string kAppendLine = std::string(kCommon) + std::string(kHistoryCommon) + R"(
local room, body, age = ARGV[1], ARGV[2], tonumber(ARGV[4])
local s, c = 'orv:hist:' .. room, 'orv:hctr:' .. room
local now = clock()
if redis.call('EXISTS', c) == 0 then
  local seed = math.max(now, tonumber(ARGV[6])) * 1000
  redis.call('HSET', c, 'seed', num(seed), 'last', num(seed - 1))
end
local id = redis.call('HINCRBY', c, 'last', 1)
trim_old(s, now - age)
redis.call('XADD', s, 'MAXLEN', '~', ARGV[3], num(id) .. '-0', 't', num(now), 'b', body)
redis.call('PEXPIRE', s, ARGV[4])
redis.call('PEXPIRE', c, ARGV[4])
redis.call('PUBLISH', 'orv:chan:' .. room, msg(ARGV[5], ARGV[6], room, 'HTAL', num(id) .. '/' .. num(now) .. '/' .. body))
return id
)";

// ARGV: room, mode (L latest, A after the anchor, B before it), anchor, count,
// lines kept, milliseconds kept. Lines past their age go first; of the rest
// only the last LINES ids count (MAXLEN ~ keeps a few more). {seed, last, ID-0,
// TIME, BODY, ...}: newest first for L and B, oldest first for A; {} when the
// room has no record.
inline const std::string kReadLines = std::string(kHistoryCommon) + R"(
local mode, anchor, count = ARGV[2], tonumber(ARGV[3]), ARGV[4]
local s, c = 'orv:hist:' .. ARGV[1], 'orv:hctr:' .. ARGV[1]
local last = tonumber(redis.call('HGET', c, 'last') or '')
local seed = tonumber(redis.call('HGET', c, 'seed') or '')
if not last or not seed then return {} end
trim_old(s, clock() - tonumber(ARGV[6]))
local low = math.max(seed, last - tonumber(ARGV[5]) + 1)
local r = {}
if mode == 'L' then
  r = redis.call('XREVRANGE', s, '+', num(low) .. '-0', 'COUNT', count)
elseif mode == 'A' then
  local from = math.max(anchor + 1, low)
  if from <= last then r = redis.call('XRANGE', s, num(from) .. '-0', '+', 'COUNT', count) end
elseif anchor > low then
  r = redis.call('XREVRANGE', s, num(math.min(anchor - 1, last)) .. '-0', num(low) .. '-0', 'COUNT', count)
end
local out = {num(seed), num(last)}
for _, e in ipairs(r) do
  out[#out + 1] = e[1]
  out[#out + 1] = e[2][2]
  out[#out + 1] = e[2][4]
end
return out
)";

}  // namespace orvinta::server::redis_script
