#pragma once
// The bodies of the history frames (see wire_commands.h), made and read in one
// place for the server and for clients. Every reader is strict: a field that is
// not what it should be gives nullopt rather than a guess.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::protocol::history {

inline constexpr std::string_view kVersion = "1";
// Lines one request may ask for.
inline constexpr std::size_t kMaxRequestLines = 200;
// A request's tag: 1 to this many decimal digits, echoed in its answer.
inline constexpr std::size_t kMaxTagDigits = 9;

// What a server that keeps history answers to "HIST": lines kept per room
// (0: history is off), days kept, lines one request may ask for.
struct Offer {
  std::size_t lines = 0;
  std::size_t days = 0;
  std::size_t maxPerRequest = kMaxRequestLines;
};
std::string OfferBody(const Offer& offer);
std::optional<Offer> ParseOffer(std::string_view body);

// A line as kept: its id (growing within its room), the server's time in
// milliseconds since 1970 (UTC), and the "TALL" fields.
struct StampedLine {
  std::uint64_t id = 0;
  std::int64_t time = 0;
  std::string sender;
  std::string room;
  std::string text;
  bool operator==(const StampedLine&) const = default;
};

// "HTAL": ID/TIME/ + the "TALL" body (SENDER/ROOM/TEXT).
std::string StampedBody(std::uint64_t id, std::int64_t time, std::string_view tallBody);
std::optional<StampedLine> ParseStamped(std::string_view body);

// "HSNT": ID/TIME/ROOM, the id the member's own line got.
struct OwnStamp {
  std::uint64_t id = 0;
  std::int64_t time = 0;
  std::string room;
};
std::string OwnStampBody(std::uint64_t id, std::int64_t time, std::string_view room);
std::optional<OwnStamp> ParseOwnStamp(std::string_view body);

enum class Mode : char { kLatest = 'L', kAfter = 'A', kBefore = 'B' };

// "HREQ": SENDER/ROOM/TAG/MODE/ANCHOR/COUNT. The anchor is ignored for the
// latest lines (send 0); a count above kMaxRequestLines asks for that many.
struct Request {
  std::string room;
  std::uint32_t tag = 0;
  Mode mode = Mode::kLatest;
  std::uint64_t anchor = 0;
  std::size_t count = 0;
};
std::string RequestBody(std::string_view sender, const Request& request);
// The sender field is not read: the connection says who asks.
std::optional<Request> ParseRequest(std::string_view body);

// "HLIN": TAG/ + the "HTAL" body, one line of an answer, oldest first.
struct AnswerLine {
  std::uint32_t tag = 0;
  StampedLine line;
};
std::string AnswerLineBody(std::uint32_t tag, std::uint64_t id, std::int64_t time, std::string_view tallBody);
std::optional<AnswerLine> ParseAnswerLine(std::string_view body);

// How an answer ended (the STATE field of "HEND").
enum class Outcome : char {
  kComplete = 'C',  // as many lines as asked
  kMore = 'M',      // fewer, to keep the answer small: ask again from its last (or first) line
  kEnded = 'E',     // the history ended first (no older lines; for "after", no newer ones)
  kRefused = 'N',   // not a member of the room, or no history kept
};

// "HEND": ROOM/TAG/STATE/COUNT/MISSING. MISSING: for "after", the lines said
// after the anchor that the history no longer holds; nullopt ("?") when the
// server cannot tell how many (its history of the room starts after a gap).
struct AnswerEnd {
  std::string room;
  std::uint32_t tag = 0;
  Outcome outcome = Outcome::kEnded;
  std::size_t count = 0;
  std::optional<std::uint64_t> missing = 0;
};
std::string AnswerEndBody(const AnswerEnd& end);
std::optional<AnswerEnd> ParseAnswerEnd(std::string_view body);

}  // namespace orvinta::protocol::history
