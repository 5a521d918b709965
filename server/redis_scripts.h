#pragma once
// The Lua scripts the cluster runs in Redis. Each runs as one step, so no
// other node sees or changes the state half way. Keys: "orv:user:ID" (the node
// an id is logged in on), "orv:users:NODE" and "orv:seats:NODE" (what a node
// registered, for the sweep), "orv:room:ROOM" (member id -> "NODE/ICON/STATUS/NICK"),
// "orv:vote:ROOM" (the node holding the room's vote, expiring),
// "orv:key:ROOM" (the room's spelling), "orv:rooms" (the rooms that have members), "orv:bar:ROOM/ID" (an expulsion, with
// its expiry), "orv:nodes" and "orv:alive:NODE" (heartbeats, with an expiry).
// Channels: "orv:chan:ROOM" (a room's traffic), "orv:to:NODE" (frames for one
// member on that node).
#include <string_view>

namespace orvinta::server::redis_script {

// ARGV: id, node. 1 when the id is now this node's.
inline constexpr std::string_view kClaim = R"(
local k = 'orv:user:' .. ARGV[1]
if not redis.call('SET', k, ARGV[2], 'NX') and redis.call('GET', k) ~= ARGV[2] then return 0 end
redis.call('SADD', 'orv:users:' .. ARGV[2], ARGV[1])
return 1
)";

// ARGV: room, node. The vote's key goes only when this node holds it.
inline constexpr std::string_view kReleaseVote = R"(
local k = 'orv:vote:' .. ARGV[1]
if redis.call('GET', k) == ARGV[2] then redis.call('DEL', k) end
return 1
)";

// ARGV: id, node.
inline constexpr std::string_view kRelease = R"(
local k = 'orv:user:' .. ARGV[1]
if redis.call('GET', k) == ARGV[2] then redis.call('DEL', k) end
redis.call('SREM', 'orv:users:' .. ARGV[2], ARGV[1])
return 1
)";

// ARGV: room, key, id, record, capacity (-1: no checks, registering again), node.
// {"seated", key, vote, id, record, ...} with the room's spelling, "1" when a
// vote runs there ("0" when not) and every member; or {"full"} or {"barred"}.
inline constexpr std::string_view kSeat = R"(
local room, id, node, cap = ARGV[1], ARGV[3], ARGV[6], tonumber(ARGV[5])
local h = 'orv:room:' .. room
if cap >= 0 then
  if redis.call('EXISTS', 'orv:bar:' .. room .. '/' .. id) == 1 then return {'barred'} end
  if redis.call('HEXISTS', h, id) == 0 and redis.call('HLEN', h) >= cap then return {'full'} end
end
redis.call('HSET', h, id, ARGV[4])
redis.call('SET', 'orv:key:' .. room, ARGV[2], 'NX')
redis.call('SADD', 'orv:rooms', room)
redis.call('SADD', 'orv:seats:' .. node, room .. '/' .. id)
local out = redis.call('HGETALL', h)
table.insert(out, 1, tostring(redis.call('EXISTS', 'orv:vote:' .. room)))
table.insert(out, 1, redis.call('GET', 'orv:key:' .. room))
table.insert(out, 1, 'seated')
return out
)";

// ARGV: room, id, node. Only this node's seat goes: the id may sit there from another by now.
inline constexpr std::string_view kLeave = R"(
local h = 'orv:room:' .. ARGV[1]
local r = redis.call('HGET', h, ARGV[2])
if r and string.sub(r, 1, #ARGV[3] + 1) == ARGV[3] .. '/' then
  redis.call('HDEL', h, ARGV[2])
  if redis.call('HLEN', h) == 0 then redis.call('DEL', 'orv:key:' .. ARGV[1]) end
end
redis.call('SREM', 'orv:seats:' .. ARGV[3], ARGV[1] .. '/' .. ARGV[2])
return 1
)";

// The rooms with members: {key, count, key, count, ...}; empty rooms leave the index.
inline constexpr std::string_view kListRooms = R"(
local out = {}
for _, room in ipairs(redis.call('SMEMBERS', 'orv:rooms')) do
  local n = redis.call('HLEN', 'orv:room:' .. room)
  if n == 0 then
    redis.call('SREM', 'orv:rooms', room)
  else
    table.insert(out, redis.call('GET', 'orv:key:' .. room) or room)
    table.insert(out, n)
  end
end
return out
)";

// ARGV: room, id, record.
inline constexpr std::string_view kUpdate = R"(
local h = 'orv:room:' .. ARGV[1]
if redis.call('HEXISTS', h, ARGV[2]) == 1 then redis.call('HSET', h, ARGV[2], ARGV[3]) end
return 1
)";

// ARGV: id, payload. 1 when some node has the id.
inline constexpr std::string_view kToUser = R"(
local n = redis.call('GET', 'orv:user:' .. ARGV[1])
if not n then return 0 end
redis.call('PUBLISH', 'orv:to:' .. n, ARGV[2])
return 1
)";

// ARGV: node, milliseconds to live. 1 when Redis did not know the node (it
// restarted empty, or the node was swept as dead): it must register again.
inline constexpr std::string_view kBeat = R"(
redis.call('SET', 'orv:alive:' .. ARGV[1], '1', 'PX', ARGV[2])
return redis.call('SADD', 'orv:nodes', ARGV[1])
)";

// ARGV: now in ms. Takes every node whose heartbeat expired out of every room
// (telling the rooms "CHOT") and frees its ids. The number of nodes swept.
inline constexpr std::string_view kSweep = R"(
local gone = 0
for _, n in ipairs(redis.call('SMEMBERS', 'orv:nodes')) do
  if redis.call('EXISTS', 'orv:alive:' .. n) == 0 then
    for _, seat in ipairs(redis.call('SMEMBERS', 'orv:seats:' .. n)) do
      local s = string.find(seat, '/', 1, true)
      if s then
        local room, id = string.sub(seat, 1, s - 1), string.sub(seat, s + 1)
        local h = 'orv:room:' .. room
        local r = redis.call('HGET', h, id)
        if r and string.sub(r, 1, #n + 1) == n .. '/' then
          redis.call('HDEL', h, id)
          local key = redis.call('GET', 'orv:key:' .. room) or room
          redis.call('PUBLISH', 'orv:chan:' .. room, '\0' .. ARGV[1] .. '\0' .. room .. '\0CHOT\0' .. id .. '/' .. key)
          if redis.call('HLEN', h) == 0 then redis.call('DEL', 'orv:key:' .. room) end
        end
      end
    end
    for _, id in ipairs(redis.call('SMEMBERS', 'orv:users:' .. n)) do
      if redis.call('GET', 'orv:user:' .. id) == n then redis.call('DEL', 'orv:user:' .. id) end
    end
    redis.call('DEL', 'orv:seats:' .. n, 'orv:users:' .. n)
    redis.call('SREM', 'orv:nodes', n)
    gone = gone + 1
  end
end
return gone
)";

}  // namespace orvinta::server::redis_script
