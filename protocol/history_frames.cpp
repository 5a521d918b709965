#include "protocol/history_frames.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "text/text_util.h"

namespace orvinta::protocol::history {
namespace {

// Plain decimal digits only (no sign, no blank), at most maxDigits of them.
template <typename T>
std::optional<T> Number(std::string_view field, std::size_t maxDigits = 19) {
  if (field.empty() || field.size() > maxDigits || field.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  T value{};
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc{} || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::string Join(std::initializer_list<std::string_view> fields) {
  std::string body;
  bool first = true;
  for (std::string_view f : fields) {
    if (!first) body.push_back('/');
    body.append(f);
    first = false;
  }
  return body;
}

// ID/TIME/SENDER/ROOM/TEXT from the fields at `at` on.
std::optional<StampedLine> Stamped(const std::vector<std::string_view>& f, std::size_t at) {
  const auto id = Number<std::uint64_t>(f[at]);
  const auto time = Number<std::int64_t>(f[at + 1]);
  if (!id || !time || f[at + 2].empty() || f[at + 3].empty()) return std::nullopt;
  return StampedLine{*id, *time, std::string(f[at + 2]), std::string(f[at + 3]), std::string(f[at + 4])};
}

}  // namespace

std::string OfferBody(const Offer& offer) {
  return Join({kVersion, std::to_string(offer.lines), std::to_string(offer.days), std::to_string(offer.maxPerRequest)});
}

std::optional<Offer> ParseOffer(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 4);
  const auto lines = Number<std::size_t>(f[1], 9);
  const auto days = Number<std::size_t>(f[2], 9);
  const auto most = Number<std::size_t>(f[3], 9);
  if (f[0] != kVersion || !lines || !days || !most) return std::nullopt;
  return Offer{*lines, *days, *most};
}

std::string StampedBody(std::uint64_t id, std::int64_t time, std::string_view tallBody) {
  return Join({std::to_string(id), std::to_string(time), tallBody});
}

std::optional<StampedLine> ParseStamped(std::string_view body) { return Stamped(text::SplitFields(body, '/', 5), 0); }

std::string OwnStampBody(std::uint64_t id, std::int64_t time, std::string_view room) {
  return Join({std::to_string(id), std::to_string(time), room});
}

std::optional<OwnStamp> ParseOwnStamp(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 3);
  const auto id = Number<std::uint64_t>(f[0]);
  const auto time = Number<std::int64_t>(f[1]);
  if (!id || !time || f[2].empty()) return std::nullopt;
  return OwnStamp{*id, *time, std::string(f[2])};
}

std::string RequestBody(std::string_view sender, const Request& request) {
  const char mode[] = {static_cast<char>(request.mode), '\0'};
  return Join({sender, request.room, std::to_string(request.tag), mode, std::to_string(request.anchor),
               std::to_string(request.count)});
}

std::optional<Request> ParseRequest(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 6);
  const auto tag = Number<std::uint32_t>(f[2], kMaxTagDigits);
  const auto anchor = Number<std::uint64_t>(f[4]);
  const auto count = Number<std::size_t>(f[5], 9);
  if (f[1].empty() || !tag || !anchor || !count || *count == 0 || f[3].size() != 1) return std::nullopt;
  const Mode mode = static_cast<Mode>(f[3][0]);
  if (mode != Mode::kLatest && mode != Mode::kAfter && mode != Mode::kBefore) return std::nullopt;
  return Request{std::string(f[1]), *tag, mode, *anchor, std::min(*count, kMaxRequestLines)};
}

std::string AnswerLineBody(std::uint32_t tag, std::uint64_t id, std::int64_t time, std::string_view tallBody) {
  return Join({std::to_string(tag), std::to_string(id), std::to_string(time), tallBody});
}

std::optional<AnswerLine> ParseAnswerLine(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 6);
  const auto tag = Number<std::uint32_t>(f[0], kMaxTagDigits);
  auto line = Stamped(f, 1);
  if (!tag || !line) return std::nullopt;
  return AnswerLine{*tag, std::move(*line)};
}

std::string AnswerEndBody(const AnswerEnd& end) {
  const char state[] = {static_cast<char>(end.outcome), '\0'};
  return Join({end.room, std::to_string(end.tag), state, std::to_string(end.count),
               end.missing ? std::to_string(*end.missing) : "?"});
}

std::optional<AnswerEnd> ParseAnswerEnd(std::string_view body) {
  const auto f = text::SplitFields(body, '/', 5);
  const auto tag = Number<std::uint32_t>(f[1], kMaxTagDigits);
  const auto count = Number<std::size_t>(f[3], 9);
  if (f[0].empty() || !tag || !count || f[2].size() != 1) return std::nullopt;
  const Outcome outcome = static_cast<Outcome>(f[2][0]);
  if (outcome != Outcome::kComplete && outcome != Outcome::kMore && outcome != Outcome::kEnded &&
      outcome != Outcome::kRefused) {
    return std::nullopt;
  }
  AnswerEnd end{std::string(f[0]), *tag, outcome, *count, std::nullopt};
  if (f[4] != "?") {
    end.missing = Number<std::uint64_t>(f[4]);
    if (!end.missing) return std::nullopt;
  }
  return end;
}

}  // namespace orvinta::protocol::history
