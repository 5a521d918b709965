#pragma once
// What a client wrote to the server, read back as the server reads it.
#include <string>
#include <string_view>
#include <vector>

#include "protocol/codec.h"
#include "protocol/frame_reader.h"

namespace orvinta::fakes {

// Every whole frame in `bytes`, as "CMND:plain body" ("<bad>" for a body that does not decode).
inline std::vector<std::string> DecodeSentFrames(std::string_view bytes) {
  protocol::FrameReader reader;
  reader.Append(bytes);
  std::vector<std::string> out;
  while (auto frame = reader.Next()) {
    out.push_back(frame->command + ":" + protocol::Decode(frame->body).value_or("<bad>"));
  }
  return out;
}

}  // namespace orvinta::fakes
