#pragma once
// One connection to the chat server, shared by the client's session and the
// control's: the socket, reads of at most 1023 bytes, reassembly into frames,
// the ">>> " / "<<< " traffic log, framed sends, and sockets that are replaced
// or closed while one of their own notifications is still running. It reports
// to its owner through ConnectionListener and knows nothing of what a
// command means.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "protocol/frame_reader.h"
#include "protocol/server_address.h"

namespace orvinta::protocol {

// What a connection tells its owner. Only the socket the connection holds
// reports: a socket that was replaced or closed is never heard from again.
class ConnectionListener {
 public:
  virtual ~ConnectionListener() = default;
  virtual void OnConnected() = 0;
  // The attempt ended without a connection; the socket is already closed.
  virtual void OnConnectFailed(int error) = 0;
  // One whole frame, in the order received.
  virtual void OnFrame(std::string_view command, std::string_view body) = 0;
  // The peer or the network ended the connection; the socket is already closed.
  virtual void OnClosed() = 0;
  // The peer sent what is not a frame, so nothing after it can be read: the
  // connection closed the socket. An owner that says nothing more of it hears a close.
  virtual void OnBrokenStream() { OnClosed(); }
};

class ChatConnection {
 public:
  static constexpr std::size_t kReadSize = 1023;
  // How long a closing connection may take to send what is still queued.
  static constexpr int kCloseFlushMs = 500;
  static constexpr std::uint32_t kSentColour = 0xFF0000;
  static constexpr std::uint32_t kReceivedColour = 0x212121;

  ChatConnection(ConnectionListener& listener, platform::TransportFactory& transports);
  // Closes as Close does.
  ~ChatConnection();
  ChatConnection(const ChatConnection&) = delete;
  ChatConnection& operator=(const ChatConnection&) = delete;

  // Traffic goes here when set; the log decides whether it is switched on.
  void SetTrafficLog(platform::TrafficLog* log) { log_ = log; }

  // Starts connecting a new socket. A socket still held is closed first; the
  // receive buffer starts empty, as the new stream does. The owner has
  // refused what RefusalOf refuses (connect_policy.h) before.
  void Open(const ServerEndpoint& endpoint);
  // Sends what is still queued (bounded by kCloseFlushMs) and closes.
  void Close();
  bool HasSocket() const { return socket_ != nullptr; }
  // The server host, whole: a secure connection checks the certificate against all of it.
  const std::string& Host() const { return host_; }

  // Frames and encodes one message, logs it and hands it to the socket once.
  // False when there is no socket; a frame the socket does not take whole is
  // reported to the failure log as well.
  bool Send(std::string_view command, std::string_view plainBody);

  // Reads and drops up to kReadSize bytes that are already waiting.
  void DiscardWaiting();

  // Takes one received piece: logs it, appends it and hands on every whole
  // frame. A header that is not one ends the connection (OnBrokenStream).
  void PreParseMessage(std::string_view data);

 private:
  class Link;
  void OnLinkConnect(Link& link, int error);
  void OnLinkReceive(Link& link);
  void OnLinkClose(Link& link);
  // Closes the link, and keeps it until no notification can still be running through it.
  void Retire(Link& link, bool graceful);
  void DropRetired();
  void Log(std::string_view prefix, std::string_view text, std::string_view end, std::uint32_t colour);
  template <typename Body>
  void Enter(std::string_view what, Body&& body);

  ConnectionListener& listener_;
  platform::TransportFactory& transports_;
  platform::TrafficLog* log_ = nullptr;
  std::unique_ptr<Link> socket_;
  std::vector<std::unique_ptr<Link>> retired_;
  FrameReader recvBuffer_;
  std::string host_;
  int depth_ = 0;  // notifications running through this connection
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

}  // namespace orvinta::protocol
