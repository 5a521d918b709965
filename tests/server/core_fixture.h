#pragma once
// Drives the ChatServer core directly: a manual clock, an outbox that records
// frames per connection, and helpers that log members in and read back what
// each one was sent.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "protocol/codec.h"
#include "server/chat_server.h"

namespace orvinta::server::testing {

class ManualClock final : public Clock {
 public:
  Millis Now() const override { return now_; }
  void Advance(Millis ms) { now_ += ms; }

 private:
  Millis now_ = 1'000'000;
};

class RecordingOutbox final : public Outbox {
 public:
  void Send(ConnectionId connection, std::string_view frame) override { sent[connection].emplace_back(frame); }
  void Close(ConnectionId connection) override { closed.insert(connection); }

  std::map<ConnectionId, std::vector<std::string>> sent;
  std::set<ConnectionId> closed;
};

// Log lines kept for the test to read.
class RecordingLog final : public EventLog {
 public:
  bool Wants(LogLevel level) const override { return level <= LogLevel::kVerbose; }
  void Write(std::string_view line) override { lines.emplace_back(line); }
  bool Has(std::string_view piece) const {
    for (const std::string& line : lines) {
      if (line.find(piece) != std::string::npos) return true;
    }
    return false;
  }
  std::vector<std::string> lines;
};

class CoreTest : public ::testing::Test {
 protected:
  explicit CoreTest(ServerLimits limits = {}, const SessionKeys* keys = nullptr, ClusterPort* cluster = nullptr,
                    HistoryPort* history = nullptr)
      : server_(clock_, outbox_, limits, CoreServices{keys, &log_, cluster, history}) {}

  ConnectionId Connect(const std::string& address = "127.0.0.1") {
    const ConnectionId id = next_++;
    server_.OnConnected(id, address);
    return id;
  }

  // A connection logged in as id, with its nick and icon; its inbox is cleared.
  ConnectionId Login(const std::string& id, const std::string& nick = "", const std::string& icon = "1") {
    const ConnectionId c = Connect();
    Frame(c, "USER", id + "/key/" + (nick.empty() ? id : nick) + "/" + icon);
    EXPECT_EQ(Take(c), std::vector<std::string>{"USRP0000"}) << "login of " << id;
    return c;
  }

  ConnectionId LoginInRoom(const std::string& id, const std::string& room) {
    const ConnectionId c = Login(id);
    Frame(c, "CHIN", id + "/" + room);
    return c;
  }

  void Frame(ConnectionId c, std::string_view command, std::string_view body) { server_.OnFrame(c, command, body); }

  // Frames sent to the connection since the last call, as "CMND" + "0012" + body.
  std::vector<std::string> Take(ConnectionId c) {
    auto frames = std::move(outbox_.sent[c]);
    outbox_.sent[c].clear();
    return frames;
  }
  // Only the bodies of the frames with this command.
  std::vector<std::string> TakeBodies(ConnectionId c, std::string_view command) {
    std::vector<std::string> bodies;
    for (const std::string& f : Take(c)) {
      if (f.compare(0, 4, command) == 0) bodies.push_back(f.substr(8));
    }
    return bodies;
  }
  void ClearAll() { outbox_.sent.clear(); }
  bool Closed(ConnectionId c) const { return outbox_.closed.contains(c); }

  ManualClock clock_;
  RecordingOutbox outbox_;
  RecordingLog log_;
  ChatServer server_;
  ConnectionId next_ = 1;
};

using Bodies = std::vector<std::string>;

// A frame as the server sends it: plain body.
inline std::string F(std::string_view command, std::string_view body) { return protocol::MakeFrame(command, body); }

}  // namespace orvinta::server::testing
