// The session's history state step by step: what it asks and what the window is shown, in order.
#include "protocol/room_history.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/fakes/fake_chat_window.h"

namespace orvinta::protocol {
namespace {

namespace h = history;
using Log = std::vector<std::string>;

// Steps, in room r: connect, offer, offer0 (keeps nothing), none (no offer came), zero (none shown on entry),
// enter, back, older, "live ID",
// "own ID", "answer TAG FROM TO STATE [MISSING] [ROOM]" (FROM 0: no lines).
struct Case {
  const char* name;
  bool fromTen;  // first entered with 1..10 shown, dropped, back and offered: Ask/r/2/A/10/200 is out
  Log steps, expected;  // expected: asks and window calls, in order
};

class RoomHistoryTest : public ::testing::TestWithParam<Case> {
 protected:
  static h::StampedLine Line(std::uint64_t id, std::string room = "r") {
    return {id, static_cast<std::int64_t>(id) * 1000, "bob", std::move(room), "t" + std::to_string(id)};
  }
  void Run(const std::string& step) {
    std::istringstream in(step);
    std::string verb, state, missing = "0", room = "r";
    std::uint64_t tag = 0, from = 0, to = 0;
    in >> verb >> tag >> from >> to >> state >> missing >> room;
    if (verb == "connect") history_.Connected();
    if (verb.starts_with("offer")) history_.Offered(h::Offer{verb == "offer" ? 1000u : 0u, 7, 200});
    if (verb == "none") history_.NotOffered();
    if (verb == "zero") window.entryHistoryLines = 0;
    if (verb == "enter") history_.Entered("#r");
    if (verb == "back") history_.BackIn("#r");
    if (verb == "older") history_.RequestOlder("#r");
    if (verb == "live") history_.Live(Line(tag));
    if (verb == "own") history_.OwnLine({tag, 0, "R"});
    if (verb != "answer") return;
    for (std::uint64_t id = from; from && id <= to; ++id) history_.AnswerLine({std::uint32_t(tag), Line(id, room)});
    history_.AnswerEnd(*h::ParseAnswerEnd(room + "/" + std::to_string(tag) + "/" + state + "/0/" + missing));
  }
  fakes::FakeChatWindow window;
  RoomHistory history_{window, [this](const h::Request& r) { window.calls.push_back(h::RequestBody("Ask", r)); }};
};

TEST_P(RoomHistoryTest, AsksAndShowsEachLineOnce) {
  if (GetParam().fromTen) {
    for (const char* step : {"connect", "offer", "enter", "answer 1 1 10 E", "connect", "back", "offer"}) Run(step);
    window.calls.clear();
  }
  for (const std::string& step : GetParam().steps) Run(step);
  EXPECT_EQ(window.calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, RoomHistoryTest,
    ::testing::Values(
        Case{"EntryLeavesOutLinesShownLiveAndOwnLines", false,
             {"connect", "enter", "offer", "live 48", "own 49", "answer 1 1 50 E", "older"},
             {"Ask/r/1/L/0/50", "AddMessage(#r,bob,t48)", "AddEntryHistory(#r,1..47)"}},
        Case{"OlderLinesOneRequestAtATimeUntilTheStart", false,
             {"connect", "offer", "enter", "answer 1 51 100 C", "older", "older", "answer 2 1 50 E", "older"},
             {"Ask/r/1/L/0/50", "AddEntryHistory(#r,51..100)", "Ask/r/2/B/51/100", "AddOlderLines(#r,1..50,1)"}},
        Case{"HeldLiveLinesFollowTheBackNoticeOnceInOrder", true,
             {"live 14", "own 15", "live 17", "answer 2 11 16 E 0", "live 18"},
             {"AddMissedLines(#r,11..14 16,0)", "ConnectionBackIn(#r)", "AddMessage(#r,bob,t17)",
              "AddMessage(#r,bob,t18)"}},
        Case{"ThousandMissedLinesOverFiveAnswers", true,
             {"answer 2 11 210 M 3", "answer 3 211 410 C", "answer 4 411 610 C", "answer 5 611 810 M",
              "answer 6 811 1010 E"},
             {"Ask/r/3/A/210/200", "Ask/r/4/A/410/200", "Ask/r/5/A/610/200", "Ask/r/6/A/810/200",
              "AddMissedLines(#r,11..1010,3)", "ConnectionBackIn(#r)"}},
        Case{"DropOrRefusalMidCatchUpLosesNothingAndShowsNothingTwice", true,
             {"answer 2 11 210 M ?", "connect", "back", "answer 3 211 300 E", "offer", "answer 4 211 250 N",
              "connect", "back", "offer"},
             {"Ask/r/3/A/210/200", "Ask/r/4/A/210/200", "AddMissedLines(#r,11..250,?)", "ConnectionBackIn(#r)",
              "Ask/r/5/A/250/200"}},
        Case{"ARoomEnteredEmptyOrShowingNoneOnEntryIsCaughtUpFromWhereItStood", false,
             {"connect", "offer", "enter", "answer 1 0 0 E", "connect", "back", "offer", "answer 2 1 3 E", "zero",
              "enter", "answer 3 7 7 E", "connect", "back", "offer", "answer 4 8 9 E"},
             {"Ask/r/1/L/0/50", "Ask/r/2/A/0/200", "AddMissedLines(#r,1..3,0)", "ConnectionBackIn(#r)",
              "Ask/r/3/L/0/1", "Ask/r/4/A/7/200", "AddMissedLines(#r,8..9,0)", "ConnectionBackIn(#r)"}},
        Case{"ARefusedCatchUpSaysLinesCouldNotBeShown", true,
             {"answer 2 0 0 N"},
             {"AddMissedLines(#r,,?)", "ConnectionBackIn(#r)"}},
        Case{"ARefusalIsNotTheStartOfTheHistory", false,
             {"connect", "offer", "enter", "answer 1 0 0 N", "older", "answer 2 0 0 N", "older"},
             {"Ask/r/1/L/0/50", "Ask/r/2/L/0/100", "AddOlderLines(#r,,0)", "Ask/r/3/L/0/100"}},
        Case{"EntryCutShortAsksTheRestAndAnswersNotOursAreIgnored", false,
             {"connect", "offer", "enter", "answer 7 1 5 E", "answer 1 1 3 E 0 x", "answer 1 31 50 M",
              "answer 2 1 60 E"},
             {"Ask/r/1/L/0/50", "Ask/r/2/B/31/30", "AddEntryHistory(#r,1..50)"}},
        Case{"WithoutHistoryRoomsAreBackAtOnceAndNothingIsAsked", true,
             {"connect", "back", "offer0", "older", "connect", "enter", "none", "older", "connect", "back"},
             {"ConnectionBackIn(#r)", "ConnectionBackIn(#r)"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::protocol
