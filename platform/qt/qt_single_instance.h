#pragma once
// The running client listens on a local socket named after its window class
// "Orvinta Class" and its user in the desktop user's runtime directory; a
// second launch connects, hands over its message and waits for the receipt,
// as a synchronous WM_COPYDATA would.
#include <QLocalServer>
#include <QString>
#include <memory>

#include "platform/single_instance.h"

namespace orvinta::platform::qt {

class QtSingleInstance final : public SingleInstance {
 public:
  QtSingleInstance();
  ~QtSingleInstance() override;

  bool SendToRunning(std::string_view endpoint, const CopyData& message) override;
  bool Listen(std::string_view endpoint, Receiver receiver) override;
  int CountRunning(std::string_view prefix) override;

  // "$XDG_RUNTIME_DIR/" + endpoint, or the same in a private folder under
  // /tmp; empty when that folder is not ours alone or the name is unusable.
  static QString SocketPath(std::string_view endpoint);
  // The folder of the endpoints; empty when it is not ours alone.
  static QString EndpointFolder();
  // A real folder (not a link) owned by this process's user with mode 0700.
  static bool IsPrivateFolder(const QString& path);

 private:
  std::unique_ptr<QLocalServer> server_;
  Receiver receiver_;
};

// The frame on the local socket: dwData and the payload size as 32-bit
// little-endian numbers, then the payload.
QByteArray EncodeCopyData(const CopyData& message);

}  // namespace orvinta::platform::qt
