#pragma once
// Finds a running client and hands it a message: the stand-in for looking up
// the window class "Orvinta Class" and sending it WM_COPYDATA.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvinta::platform {

// The launch hand-over of a room: the one message another process may send.
inline constexpr std::uint32_t kHandOverId = 0x502;

struct CopyData {
  std::uint32_t dwData = 0;
  std::string bytes;  // the whole payload, its terminating zero included
};

class SingleInstance {
 public:
  using Receiver = std::function<void(const CopyData&)>;
  virtual ~SingleInstance() = default;
  // An endpoint is named per logged-in user (a file name: no "/"), so each
  // user's launches find only that user's running instance.
  // Sends to the instance running on `endpoint`; true only when it confirmed
  // receipt, false when there is none or it did not answer.
  virtual bool SendToRunning(std::string_view endpoint, const CopyData& message) = 0;
  // Becomes the running instance on `endpoint`; messages arrive on the event
  // loop. Only kHandOverId is taken from another process: anything else is
  // refused unread.
  virtual bool Listen(std::string_view endpoint, Receiver receiver) = 0;
  // How many running instances listen on endpoints whose names begin with `prefix`.
  virtual int CountRunning(std::string_view /*prefix*/) { return 0; }
};

}  // namespace orvinta::platform
