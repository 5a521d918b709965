#pragma once
// The "SYST" codes this server sends, by what they tell the client.
namespace orvinta::server::system_code {

inline constexpr int kPeerNotConnected = 1;
inline constexpr int kAlreadyConnected = 2;
inline constexpr int kRemovedFromRoom = 6;
inline constexpr int kRoomFull = 10;
inline constexpr int kRefused = 12;
inline constexpr int kTooManyUsers = 13;

}  // namespace orvinta::server::system_code
