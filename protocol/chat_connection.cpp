#include "protocol/chat_connection.h"

#include <cstring>
#include <utility>

#include "protocol/codec.h"
#include "protocol/guarded.h"

namespace orvinta::protocol {

// One socket and the notifications that name it, so that the connection can
// tell the socket it holds from one it has let go.
class ChatConnection::Link final : public platform::TransportListener {
 public:
  Link(ChatConnection& connection, platform::TransportFactory& transports)
      : connection_(connection), transport_(transports.Create(*this)) {}

  platform::Transport& transport() { return *transport_; }
  // True the first time only: a link is closed once.
  bool MarkClosed() { return !std::exchange(closed_, true); }

  void OnConnect(int error) override { connection_.OnLinkConnect(*this, error); }
  void OnReceive() override { connection_.OnLinkReceive(*this); }
  void OnClose(int /*error*/) override { connection_.OnLinkClose(*this); }

 private:
  ChatConnection& connection_;
  std::unique_ptr<platform::Transport> transport_;
  bool closed_ = false;
};

ChatConnection::ChatConnection(ConnectionListener& listener, platform::TransportFactory& transports)
    : listener_(listener), transports_(transports) {}

ChatConnection::~ChatConnection() {
  if (socket_) socket_->transport().CloseGracefully(kCloseFlushMs);
}

// Every notification enters here once: what it throws is caught and logged,
// and the connection may be closed, replaced or even destroyed by its owner
// before the notification returns.
template <typename Body>
void ChatConnection::Enter(std::string_view what, Body&& body) {
  Guarded(what, [&] {
    const std::weak_ptr<int> alive = lifetime_;
    ++depth_;
    struct Leave {
      const std::weak_ptr<int>& alive;
      int& depth;
      ~Leave() {
        if (!alive.expired()) --depth;
      }
    } leave{alive, depth_};
    body();
  });
}

void ChatConnection::Open(const ServerEndpoint& endpoint) {
  DropRetired();
  if (socket_) Retire(*socket_, true);
  recvBuffer_.Clear();
  host_ = endpoint.host;
  socket_ = std::make_unique<Link>(*this, transports_);
  socket_->transport().Connect(host_, endpoint.port, endpoint.secure);
}

void ChatConnection::Close() {
  DropRetired();
  if (socket_) Retire(*socket_, true);
}

void ChatConnection::Retire(Link& link, bool graceful) {
  if (link.MarkClosed()) {
    if (graceful) {
      link.transport().CloseGracefully(kCloseFlushMs);
    } else {
      link.transport().Close();
    }
  }
  if (socket_.get() == &link) retired_.push_back(std::move(socket_));
}

void ChatConnection::DropRetired() {
  // A link may be deleted only when none of its notifications is on the stack.
  if (depth_ == 0) retired_.clear();
}

bool ChatConnection::Send(std::string_view command, std::string_view plainBody) {
  if (!socket_) return false;
  const std::string frame = EncodeMessage(MakeMessage(command, plainBody));
  if (frame.empty()) {
    ReportFailure("sending " + std::string(command), "the message is too long for one frame");
    return false;
  }
  Log(">>> ", frame, "\r\n", kSentColour);
  const int taken = socket_->transport().Send(frame);
  if (taken == static_cast<int>(frame.size())) return true;
  ReportFailure("sending " + std::string(command), "the connection took " + std::to_string(taken < 0 ? 0 : taken) + " of " +
                             std::to_string(frame.size()) + " bytes (not connected, or its output is full)");
  return false;
}

void ChatConnection::DiscardWaiting() {
  if (!socket_) return;
  char buffer[kReadSize];
  socket_->transport().Receive(buffer, sizeof buffer);
}

void ChatConnection::PreParseMessage(std::string_view data) {
  Log("<<< ", data, "", kReceivedColour);
  recvBuffer_.Append(data);
  const std::weak_ptr<int> alive = lifetime_;
  while (!recvBuffer_.Broken()) {
    auto frame = recvBuffer_.Next();
    if (!frame) return;
    // A frame whose handling fails is lost; the frames after it are still handled.
    Guarded(frame->command, [&] { listener_.OnFrame(frame->command, frame->body); });
    if (alive.expired()) return;
  }
  // Out of step with the stream: every later "frame" would be made up of garbage.
  recvBuffer_.Clear();
  if (!socket_) return;
  Retire(*socket_, false);
  listener_.OnBrokenStream();
}

void ChatConnection::OnLinkConnect(Link& link, int error) {
  Enter("the connect notification", [&] {
    if (&link != socket_.get()) return;
    if (error == 0) {
      listener_.OnConnected();
      return;
    }
    Retire(link, false);
    listener_.OnConnectFailed(error);
  });
}

void ChatConnection::OnLinkReceive(Link& link) {
  Enter("the receive notification", [&] {
    char buffer[kReadSize];
    const int count = link.transport().Receive(buffer, sizeof buffer);
    if (count <= 0 || &link != socket_.get()) return;
    // The received piece is text: a zero byte ends it.
    PreParseMessage(std::string_view(buffer, strnlen(buffer, static_cast<std::size_t>(count))));
  });
}

void ChatConnection::OnLinkClose(Link& link) {
  Enter("the close notification", [&] {
    // The socket that reported is the one closed, even when the owner opens
    // another one while it hears of the close.
    const bool current = &link == socket_.get();
    Retire(link, false);
    if (current) listener_.OnClosed();
  });
}

void ChatConnection::Log(std::string_view prefix, std::string_view text, std::string_view end, std::uint32_t colour) {
  if (!log_ || !log_->IsOn()) return;
  std::string line;
  line.reserve(prefix.size() + text.size() + end.size());
  line.append(prefix).append(text).append(end);
  log_->AddLine(line, colour);
}

}  // namespace orvinta::protocol
