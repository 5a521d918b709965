#pragma once
// What the core shares with the other nodes of a cluster: who is logged in
// where, who sits in which room, and the rooms' traffic. Answers may come
// later (over the network) or at once; the core looks its sessions up again
// when one arrives, as the connection may be gone by then.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/clock.h"

namespace orvinta::server {

// A member of a room, on whatever node.
struct ClusterMember {
  std::string userId;
  std::string nick;
  std::string icon;
  std::string status = "0";
};

enum class SeatVerdict { kSeated, kRoomFull, kBarred };

struct SeatRequest {
  std::string roomId;
  std::string roomKey;  // as the member spelled it
  ClusterMember member;
  std::size_t capacity = 0;
};

struct SeatAnswer {
  SeatVerdict verdict = SeatVerdict::kSeated;
  std::string roomKey;                // the spelling the room was opened with, on whichever node
  std::vector<ClusterMember> others;  // every member, the new one included, on every node
  bool voteRunning = false;           // an expulsion vote runs there, held by whichever node
};

class ClusterPort {
 public:
  using ClaimDone = std::function<void(bool granted)>;
  using SeatDone = std::function<void(SeatAnswer answer)>;
  using MembersDone = std::function<void(std::vector<ClusterMember> members)>;
  using DeliveredDone = std::function<void(bool delivered)>;
  using RosterDone = std::function<void(std::optional<std::vector<ClusterMember>> members)>;

  virtual ~ClusterPort() = default;

  // One login per id across the cluster: not granted while another node holds it.
  virtual void ClaimUser(const std::string& userId, ClaimDone done) = 0;
  virtual void ReleaseUser(const std::string& userId) = 0;
  // The id is held on another node: done(true) when its session there still
  // answers (or its node does not), done(false) once it made way.
  virtual void ProbeUser(const std::string& userId, DeliveredDone done) = 0;
  // A seat in a room, within its capacity counted over every node.
  virtual void TakeSeat(const SeatRequest& request, SeatDone done) = 0;
  virtual void LeaveSeat(const std::string& roomId, const std::string& userId) = 0;
  virtual void UpdateSeat(const std::string& roomId, const ClusterMember& member) = 0;
  // One expulsion vote per room at a time, over every node; released when it ends.
  virtual void ClaimVote(const std::string& roomId, Millis duration, ClaimDone done) = 0;
  virtual void ReleaseVote(const std::string& roomId) = 0;
  // The member may not come back to the room for that long.
  virtual void Bar(const std::string& roomId, const std::string& userId, Millis duration) = 0;
  // A frame for the room's members on the other nodes.
  virtual void Publish(const std::string& roomId, std::string_view command, std::string_view body) = 0;
  virtual void AskMembers(const std::string& roomId, MembersDone done) = 0;
  // The room's members on the other nodes, as the shared state has them; nullopt without an answer.
  virtual void AskRoster(const std::string& roomId, RosterDone done) = 0;
  // A frame for a member logged in on another node; done(false) when nobody is.
  virtual void SendToUser(const std::string& userId, std::string_view command, std::string_view body,
                          DeliveredDone done) = 0;
  // This node has a member in the room now / no longer.
  virtual void Watch(const std::string& roomId) = 0;
  virtual void Unwatch(const std::string& roomId) = 0;
};

// One process: the core's own tables are the whole truth, so there is
// nothing to share and every answer comes at once.
class SingleNode final : public ClusterPort {
 public:
  void ClaimUser(const std::string&, ClaimDone done) override { done(true); }
  void ReleaseUser(const std::string&) override {}
  void ProbeUser(const std::string&, DeliveredDone done) override { done(false); }
  void TakeSeat(const SeatRequest& request, SeatDone done) override {
    done(SeatAnswer{SeatVerdict::kSeated, request.roomKey, {}, false});
  }
  void LeaveSeat(const std::string&, const std::string&) override {}
  void UpdateSeat(const std::string&, const ClusterMember&) override {}
  void ClaimVote(const std::string&, Millis, ClaimDone done) override { done(true); }
  void ReleaseVote(const std::string&) override {}
  void Bar(const std::string&, const std::string&, Millis) override {}
  void Publish(const std::string&, std::string_view, std::string_view) override {}
  void AskMembers(const std::string&, MembersDone done) override { done({}); }
  void AskRoster(const std::string&, RosterDone done) override { done(std::nullopt); }
  void SendToUser(const std::string&, std::string_view, std::string_view, DeliveredDone done) override {
    done(false);
  }
  void Watch(const std::string&) override {}
  void Unwatch(const std::string&) override {}
};

// What the other nodes send to this one, and what this node holds, for the
// cluster to register again after its store lost it.
class ClusterInbox {
 public:
  struct LocalSeat {
    std::string roomId;
    std::string roomKey;
    ClusterMember member;
  };
  virtual ~ClusterInbox() = default;
  // Untrusted: checked before anything reaches a member. waited: how long the
  // sending node held the event before it went out.
  virtual void OnRoomEvent(const std::string& roomId, std::string_view command, std::string_view body,
                           Millis waited) = 0;
  virtual void OnUserEvent(const std::string& userId, std::string_view command, std::string_view body) = 0;
  // After a gap (this node's or another's): each room's members are told who
  // came and went on the other nodes meanwhile.
  virtual void Reconcile() = 0;
  // Another node asks whether the member's session here still answers; a
  // silent one is closed, and answer(false) once it made way.
  virtual void OnProbe(const std::string& userId, std::function<void(bool live)> answer) = 0;
  // Logged in here and, earlier, on another node while they could not see
  // each other: the session here is the later one and ends.
  virtual void LoginTakenElsewhere(const std::string& userId) = 0;
  virtual std::vector<std::string> LocalUsers() const = 0;
  virtual std::vector<LocalSeat> LocalSeats() const = 0;
};

}  // namespace orvinta::server
