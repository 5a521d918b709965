#pragma once
// Finds a running client and hands it a message: the stand-in for looking up
// the window class "Orvinta Class" and sending it WM_COPYDATA.
#include <cstdint>
#include <functional>
#include <string>

namespace orvinta::platform {

struct CopyData {
  std::uint32_t dwData = 0;
  std::string bytes;  // the whole payload, its terminating zero included
};

class SingleInstance {
 public:
  using Receiver = std::function<void(const CopyData&)>;
  virtual ~SingleInstance() = default;
  // Sends to the running instance; false when there is none.
  virtual bool SendToRunning(const CopyData& message) = 0;
  // Becomes the running instance; messages arrive on the event loop.
  virtual bool Listen(Receiver receiver) = 0;
};

}  // namespace orvinta::platform
