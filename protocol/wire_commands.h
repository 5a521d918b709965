#pragma once
// The protocol's vocabulary: the four-letter commands and the "SYST" codes.
// Client, control, server, the scripted peer and the benchmarks all name them
// from here, so a command is spelled in one place.
#include <string_view>

namespace orvinta::wire {

// Commands (direction in the comment: C client, S server).
inline constexpr std::string_view kUser = "USER";  // C: login
inline constexpr std::string_view kUserReply = "USRP";  // S: login accepted
inline constexpr std::string_view kPing = "PING";  // S: keep-alive
inline constexpr std::string_view kPong = "PONG";  // C: keep-alive answer
inline constexpr std::string_view kSystem = "SYST";  // S: system message (code / value)
inline constexpr std::string_view kChatIn = "CHIN";  // both: enter a room / a member entered
inline constexpr std::string_view kChatOut = "CHOT";  // both: leave a room / a member left
inline constexpr std::string_view kToAll = "TALL";  // both: a chat line to a room
inline constexpr std::string_view kUserInfoToAll = "IFAL";  // both: a member's status
inline constexpr std::string_view kAskUserInfo = "ASIF";  // C: who is in a room
inline constexpr std::string_view kUserInfoToOne = "IFON";  // S: one member's details
inline constexpr std::string_view kRoomInfo = "RMIF";  // S: room flag (a vote is running)
inline constexpr std::string_view kIgnore = "IGNR";  // both: a member ignores another
inline constexpr std::string_view kInvite = "INVT";  // both: invitation to a 1:1 room
inline constexpr std::string_view kDenyInvite = "DNIV";  // both: invitation refused
inline constexpr std::string_view kRequestBan = "RQBN";  // both: an expulsion vote is opened
inline constexpr std::string_view kVoteBan = "VTBN";  // C: a vote
inline constexpr std::string_view kResultBan = "RSBN";  // S: the vote's result

// History: frames of our own, negotiated. A server sends none of them, nor
// changes any frame above, to a peer that has not sent "HIST". Fields are
// "/"-separated and the text runs to the end of the body; ID is a line's id
// (decimal, growing within its room), TIME the server's time of the line in
// milliseconds since 1970 (UTC). protocol/history_frames.h makes and reads them.
// C: "1", once after the login. S: "1/LINES/DAYS/MAX": lines and days kept per
// room (LINES 0: none kept, nothing more follows), lines one request may ask for.
inline constexpr std::string_view kHistoryHello = "HIST";
// S: "ID/TIME/SENDER/ROOM/TEXT": a live line, in place of "TALL".
inline constexpr std::string_view kStampedToAll = "HTAL";
// S: "ID/TIME/ROOM": the id and time the member's own line got.
inline constexpr std::string_view kOwnLineStamp = "HSNT";
// C: "SENDER/ROOM/TAG/MODE/ANCHOR/COUNT": MODE L (the latest COUNT lines; ANCHOR
// 0), A (the first COUNT lines after ANCHOR) or B (the last COUNT before it);
// COUNT 1 to 200, TAG 1 to 9 digits of the client's choosing.
inline constexpr std::string_view kHistoryRequest = "HREQ";
// S: "TAG/ID/TIME/SENDER/ROOM/TEXT": one line of an answer, oldest first.
inline constexpr std::string_view kHistoryLine = "HLIN";
// S: "ROOM/TAG/STATE/COUNT/MISSING", after the answer's lines. STATE: C (COUNT
// lines, as asked), M (fewer, to keep the answer within 64 KiB: ask again from
// its last or first line), E (the history ended first: no older lines for L
// and B, no newer for A), N (refused: not a member now, or nothing kept).
// MISSING: for A, lines after ANCHOR the server no longer holds ("?": it cannot
// tell how many); 0 otherwise.
inline constexpr std::string_view kHistoryEnd = "HEND";

// "SYST" codes, by what they tell the client.
namespace system_code {
inline constexpr int kPeerNotConnected = 1;
inline constexpr int kAlreadyConnected = 2;
inline constexpr int kNotAllowed = 3;
inline constexpr int kGroupClosed = 4;
inline constexpr int kNotMember = 5;
inline constexpr int kRemovedFromRoom = 6;
inline constexpr int kNothing = 7;
inline constexpr int kBringToFront = 8;
inline constexpr int kCloseOtherWindows = 9;
inline constexpr int kRoomFull = 10;
inline constexpr int kMaintenance = 11;
inline constexpr int kRefused = 12;
inline constexpr int kTooManyUsers = 13;
}  // namespace system_code

}  // namespace orvinta::wire
