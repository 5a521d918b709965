#pragma once
// The running client listens on a local socket named after its window class
// "Orvinta Class" in the user's runtime directory; a second launch connects,
// hands over its message and waits for the receipt, as a synchronous
// WM_COPYDATA would.
#include <QLocalServer>
#include <QString>
#include <memory>

#include "platform/single_instance.h"

namespace orvinta::platform::qt {

class QtSingleInstance final : public SingleInstance {
 public:
  QtSingleInstance();
  ~QtSingleInstance() override;

  bool SendToRunning(const CopyData& message) override;
  bool Listen(Receiver receiver) override;

  // "$XDG_RUNTIME_DIR/orvinta-class", or a private folder under /tmp.
  static QString SocketPath();

 private:
  std::unique_ptr<QLocalServer> server_;
  Receiver receiver_;
};

// The frame on the local socket: dwData and the payload size as 32-bit
// little-endian numbers, then the payload.
QByteArray EncodeCopyData(const CopyData& message);

}  // namespace orvinta::platform::qt
