#pragma once
// Scripted members of one room that say numbered lines ("talker-K #N") at a set
// rate over all of them, straight to the server, for the history soak and the
// catch-up measures. Single-threaded: the caller pumps them.
#include <memory>
#include <string>
#include <vector>

#include "bench/server/load_connection.h"

namespace orvinta::bench {

// What a member's view of the room holds of the talkers' lines: lines said but
// never shown, shown more than once, and shown after a later line of the same talker.
struct LineTally {
  long long shown = 0;
  long long lost = 0;
  long long duplicated = 0;
  long long outOfOrder = 0;
  bool Clean() const { return lost == 0 && duplicated == 0 && outOfOrder == 0; }
};

class RoomTalkers {
 public:
  // `count` members with ids "talker1".. in room `room` of the server on 127.0.0.1:port.
  RoomTalkers(int port, std::string room, int count);
  ~RoomTalkers();

  // Logs every talker in and into the room; false when one is not in by then.
  bool Enter(int timeoutMs);
  // Lines a second over all talkers, taken in turn; 0 stops them.
  void SetRate(double linesPerSecond);
  // Queues `lines` more at once (in turn), whatever the rate.
  void SayNow(int lines);
  // Answers the server and says the lines that are due, for about `ms`.
  void Pump(int ms);
  // False once a talker's connection ended: its later lines were never said.
  bool AllOpen() const;

  int Count() const { return static_cast<int>(members_.size()); }
  // Lines talker k (1-based) has said so far: "talker-k #1" to "#Said(k)".
  long long Said(int k) const { return members_[static_cast<std::size_t>(k - 1)].said; }
  long long TotalSaid() const;

  // The text of a numbered line, and every one in a text read back: {talker, number}.
  static std::string LineText(int talker, long long number);
  static std::vector<std::pair<int, long long>> ParseLines(std::string_view text);
  // Counts `shown` (numbered lines in the order shown) against the lines said.
  LineTally Tally(const std::vector<std::pair<int, long long>>& shown) const;

 private:
  struct Member {
    std::unique_ptr<LoadConnection> connection;
    bool inRoom = false;
    long long said = 0;
  };
  void Say(int k);

  int port_;
  std::string room_;
  std::vector<Member> members_;
  double rate_ = 0;
  long long rateSince_ = 0;     // when the rate was set
  long long dueAtRate_ = 0;     // lines said since the rate was set
  int next_ = 0;                // the talker whose turn it is
};

}  // namespace orvinta::bench
