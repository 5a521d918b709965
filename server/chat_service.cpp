#include "server/chat_service.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>

#include "server/output_budget.h"

namespace orvinta::server {
namespace {

constexpr Millis kTickEvery = 100;
constexpr Millis kCloseGrace = 2000;  // to get a last frame (a "SYST") out before closing
constexpr int kAcceptsPerWake = 128;
constexpr int kReadsPerWake = 4;  // then other connections get their turn
// Under load a member's output gathers until it is as old as the flush delay
// or this large.
constexpr std::size_t kGatherBytes = 4096;
// Gathering starts when this many frames were queued in the last window of
// 100 ms, or already in this one: 20,000 deliveries a second (low enough that
// the load of one busy server, spread over two nodes, still gathers). Below
// that a member's lines go out at once. A window this long keeps a bursty load
// from switching gathering on and off.
constexpr Millis kLoadWindowMs = 100;
constexpr std::uint64_t kBusyFramesPerWindow = 2000;
// The buffers a storm (of entries, of lines) freed stay with the process until
// given back; a quiet server gives them back this often.
constexpr Millis kTrimEvery = 10'000;
// A connection that moved nothing for this long gives its buffers back.
constexpr Millis kQuietBuffersAfter = 1000;

// The kernel's keep-alive on every chat socket: a querying connection (the web
// page control) cannot answer PING and may be silent for hours, so this is how
// a peer that vanished without a word is found: after a minute of silence,
// four probes 15 s apart.
void KeepAlive(int fd) {
  const int on = 1, idle = 60, interval = 15, probes = 4;
  setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

}  // namespace

ChatService::ChatService(EventLoop& loop, Listener& listener, const Clock& clock, const ServerLimits& limits,
                         CoreServices services)
    : loop_(loop),
      ports_{{&listener, nullptr}},
      clock_(clock),
      core_(clock, *this, limits, services),
      intakeLimits_{limits.maxBadFrames, limits.maxGarbageBytes},
      maxOutput_(limits.maxOutputBytes),
      outputBudget_(limits.outputBudgetBytes),
      flushDelay_(limits.flushDelay) {}

ChatService::~ChatService() {
  connections_.ForEach([this](ConnectionId, const ClientConnection& c) { loop_.Remove(c.token); });
}

void ChatService::ServeTls(Listener& listener, const TlsContext& tls) {
  for (Port& port : ports_) {
    if (port.listener == &listener) {
      port.tls = &tls;
      return;
    }
  }
  ports_.push_back({&listener, &tls});
}

bool ChatService::Start() {
  lastTick_ = clock_.Now();
  for (const Port& port : ports_) {
    if (loop_.Add(port.listener->Fd(), EPOLLIN,
                  [this, port](std::uint32_t) { OnAcceptable(*port.listener, port.tls); }) == 0) {
      return false;
    }
  }
  return true;
}

void ChatService::OnAcceptable(Listener& listener, const TlsContext* tls) {
  for (int i = 0; i < kAcceptsPerWake; ++i) {
    std::string peer;
    const int fd = listener.Accept(&peer);
    if (fd < 0) return;
    KeepAlive(fd);
    std::unique_ptr<TlsStream> stream;
    // The settings of the moment: a reload later does not touch this connection.
    if (tls != nullptr && (stream = TlsStream::Accept(tls->Get(), fd)) == nullptr) {
      close(fd);
      continue;
    }
    const ConnectionId id =
        connections_.Add(std::make_unique<ClientConnection>(UniqueFd(fd), intakeLimits_, std::move(stream)));
    ClientConnection& c = *connections_.Find(id);
    c.interest = EPOLLIN;
    c.token = loop_.Add(fd, EPOLLIN, [this, id](std::uint32_t events) { OnEvents(id, events); });
    if (c.token == 0) {
      connections_.Remove(id);  // the descriptor closes with it
      continue;
    }
    core_.OnConnected(id, std::move(peer));
  }
}

void ChatService::MarkDirty(ConnectionId id, ClientConnection& c) {
  if (c.dirty) return;
  c.dirty = true;
  dirty_.push_back(id);
}

void ChatService::OnEvents(ConnectionId id, std::uint32_t events) {
  ClientConnection* c = Find(id);
  if (c == nullptr) return;
  c->Active(clock_.Now());
  // Whatever arrived before a hang-up is still handled. A TLS handshake that
  // waited to write goes on reading once the socket takes output.
  const bool handshakeGoesOn = (events & EPOLLOUT) && c->ReadWaitsForOutput();
  if ((events & EPOLLIN || handshakeGoesOn) && !c->closing) ReadFrom(id);
  if (c = Find(id); c != nullptr && c->Secure() && (c->HasOutput() || c->ReadWaitsForOutput())) {
    // TLS output may have waited for the handshake's input, and a read for output.
    MarkDirty(id, *c);
  }
  if (Find(id) != nullptr) {
    if (events & (EPOLLERR | EPOLLHUP)) {
      Lose(id);
    } else if (events & EPOLLOUT) {
      MarkDirty(id, *Find(id));
    }
  }
  ReportLost();
}

void ChatService::ReadFrom(ConnectionId id) {
  for (int i = 0; i < kReadsPerWake; ++i) {
    ClientConnection* c = Find(id);
    if (c == nullptr || c->closing) return;
    bool wouldBlock = false;
    const IoStatus status = c->ReadOnce(wouldBlock);
    const std::size_t badBefore = c->Intake().BadFrames();
    while (auto frame = c->Intake().Next()) {
      core_.OnFrame(id, frame->command, frame->body);
      if ((c = Find(id)) == nullptr || c->closing) return;
    }
    if (const std::size_t bad = c->Intake().BadFrames() - badBefore; bad > 0) {
      core_.Log(LogLevel::kNormal, "refused frame #" + std::to_string(id) + ": " + std::to_string(bad) +
                                       " malformed (header, hex or checksum)");
    }
    if (c->Intake().Hopeless()) {
      Dropped(id, "sent garbage");
      Lose(id);
      return;
    }
    if (status == IoStatus::kClosed) {
      Lose(id);
      return;
    }
    if (wouldBlock) return;
  }
}

void ChatService::Send(ConnectionId id, std::string_view frame) { Enqueue(id, frame, 0); }

void ChatService::SendWaited(ConnectionId id, std::string_view frame, Millis waited) { Enqueue(id, frame, waited); }

void ChatService::Enqueue(ConnectionId id, std::string_view frame, Millis waited) {
  ClientConnection* c = Find(id);
  if (c == nullptr || c->closing) return;
  // A frame that waited on another node is held back here that much less.
  const Millis since = clock_.Now() - std::clamp<Millis>(waited, 0, flushDelay_);
  if (!c->HasOutput() || since < c->queuedSince) c->queuedSince = since;
  if (!c->Queue(frame, maxOutput_)) {
    // It stopped reading; holding more for it would have no end. Senders are
    // held to their rates first, so this is the reader's own slowness.
    ++droppedSlow_;
    Dropped(id, "its output queue is full (a slow reader)");
    Lose(id);
    return;
  }
  queuedTotal_ += frame.size();
  ++framesThisWindow_;
  MarkDirty(id, *c);
  if (queuedTotal_ > outputBudget_) KeepWithinBudget();
}

void ChatService::KeepWithinBudget() {
  std::vector<QueuedOutput> queues;
  queues.reserve(connections_.Size());
  connections_.ForEach([&](ConnectionId id, const ClientConnection& c) { queues.push_back({id, c.QueuedBytes()}); });
  for (ConnectionId id : ConnectionsOverBudget(std::move(queues), outputBudget_)) {
    ++droppedBudget_;
    Dropped(id, "the largest output queue when all of them passed the budget");
    Lose(id);
  }
}

void ChatService::Dropped(ConnectionId id, std::string_view why) {
  const ClientConnection* c = Find(id);
  core_.Log(LogLevel::kNormal, "dropped #" + std::to_string(id) + ": " + std::string(why) +
                                   (c ? ", " + std::to_string(c->QueuedBytes()) + " bytes queued" : std::string()));
}

std::string ChatService::MetricsText() const {
  MetricsGauges gauges = core_.Gauges();
  gauges.queuedOutputBytes = queuedTotal_;
  gauges.peersDroppedSlow = droppedSlow_;
  gauges.peersDroppedBudget = droppedBudget_;
  gauges.sendCalls = sendCalls_;
  return PrometheusText(core_.Metrics(), gauges);
}

void ChatService::Close(ConnectionId id) {
  ClientConnection* c = Find(id);
  if (c == nullptr || c->closing) return;
  c->closing = true;
  c->closeDeadline = clock_.Now() + kCloseGrace;
  MarkDirty(id, *c);
}

void ChatService::Lose(ConnectionId id) {
  if (Find(id) == nullptr) return;
  Destroy(id);
  lost_.push_back(id);
}

void ChatService::Destroy(ConnectionId id) {
  const std::unique_ptr<ClientConnection> c = connections_.Remove(id);
  if (!c) return;
  queuedTotal_ -= c->QueuedBytes();
  loop_.Remove(c->token);
}

void ChatService::ReportLost() {
  // Telling the core may make it send to others, which may lose them too.
  while (!lost_.empty()) {
    const ConnectionId id = lost_.back();
    lost_.pop_back();
    core_.OnDisconnected(id);
  }
}

void ChatService::UpdateInterest(ClientConnection& c) {
  const bool wantsOutput = (c.HasOutput() && !c.WriteWaitsForInput()) || c.ReadWaitsForOutput();
  // A closing connection reads no more, unless its last frame waits for the
  // peer's part of the TLS handshake (a refusal at accept time): the
  // handshake goes on inside the flush, and the frame goes out before the close.
  const bool reads = !c.closing || (c.HasOutput() && c.WriteWaitsForInput());
  const std::uint32_t wanted = (reads ? static_cast<std::uint32_t>(EPOLLIN) : 0u) |
                               (wantsOutput ? static_cast<std::uint32_t>(EPOLLOUT) : 0u);
  if (wanted == c.interest) return;
  c.interest = wanted;
  loop_.Modify(c.token, wanted);
}

bool ChatService::HoldBack(const ClientConnection& c, Millis now) const {
  return busy_ && !c.closing && c.QueuedBytes() < kGatherBytes && now - c.queuedSince < flushDelay_;
}

void ChatService::FlushDirty(Millis now) {
  std::vector<ConnectionId> batch;
  batch.swap(dirty_);
  for (ConnectionId id : batch) {
    ClientConnection* c = Find(id);
    if (c == nullptr) continue;
    if (HoldBack(*c, now)) {
      held_.push_back(id);  // stays dirty
      continue;
    }
    c->dirty = false;
    c->Active(now);
    const std::size_t before = c->QueuedBytes();
    const IoStatus status = c->Flush(sendCalls_);
    queuedTotal_ -= before - c->QueuedBytes();
    if (status == IoStatus::kClosed) {
      if (c->closing) {
        Destroy(id);
      } else {
        Lose(id);
      }
      continue;
    }
    if (c->closing && !c->HasOutput()) {
      Destroy(id);
      continue;
    }
    UpdateInterest(*c);
  }
}

int ChatService::AfterEvents() {
  const Millis now = clock_.Now();
  if (now - lastTick_ >= kTickEvery) {
    lastTick_ = now;
    core_.Tick();
    std::vector<ConnectionId> overdue;
    connections_.ForEach([&](ConnectionId id, ClientConnection& c) {
      if (c.closing && now >= c.closeDeadline) overdue.push_back(id);
      c.ReleaseBuffersIfQuiet(now, kQuietBuffersAfter);
    });
    for (ConnectionId id : overdue) Destroy(id);
    if (!busy_ && now >= nextTrim_) {
      malloc_trim(0);
      nextTrim_ = now + kTrimEvery;
    }
  }
  ReportLost();
  // Flushing may lose connections, and reporting them may queue more frames.
  while (!dirty_.empty()) {
    FlushDirty(now);
    ReportLost();
  }
  const Millis window = now / kLoadWindowMs;
  if (window != window_) {
    framesLastWindow_ = window == window_ + 1 ? framesThisWindow_ : 0;
    framesThisWindow_ = 0;
    window_ = window;
  }
  busy_ = std::max(framesLastWindow_, framesThisWindow_) >= kBusyFramesPerWindow;
  dirty_.swap(held_);
  if (dirty_.empty()) return -1;
  Millis wake = flushDelay_;
  for (ConnectionId id : dirty_) {
    if (const ClientConnection* c = Find(id)) wake = std::min(wake, c->queuedSince + flushDelay_ - now);
  }
  return static_cast<int>(std::max<Millis>(wake, 1));
}

}  // namespace orvinta::server
