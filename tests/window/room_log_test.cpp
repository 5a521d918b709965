// The room log: its lines, its names, and when it writes, on a manual clock.
#include "client/log/room_log.h"

#include <gtest/gtest.h>

#include <map>

#include "client/log/posix_log_files.h"
#include "client/log/room_log_text.h"
#include "tests/fakes/fake_timers.h"

namespace orvinta::log {
namespace {

using window::ShownLine;

std::tm At(int year, int month, int day, int h, int m, int s) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = h;
  t.tm_min = m;
  t.tm_sec = s;
  return t;
}

// UTF-8 whatever the execution character set of the test.
std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

ShownLine Chat(std::string_view nick, std::string_view text, std::string_view room = "#lobby") {
  ShownLine line;
  line.room = room;
  line.senderId = "bob";
  line.senderNick = nick;
  line.text = text;
  return line;
}

ShownLine System(std::string_view markup) {
  ShownLine line;
  line.system = true;
  line.text = markup;
  return line;
}

struct LineCase {
  const char* name;
  ShownLine line;  // code page 949
  std::string logged;  // UTF-8
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LogLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LogLines, AreOneUtf8LineEach) { EXPECT_EQ(LogLine(GetParam().line, At(2026, 12, 8, 9, 5, 7)), GetParam().logged); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LogLines,
    ::testing::Values(
        LineCase{"Chat", Chat("밥", "안녕 100% a|b"), Utf8(u8"[09:05:07] 밥: 안녕 100% a|b\n")},
        // The page shows references as characters, and markup the sender typed as text.
        LineCase{"ChatReferences", Chat("n", "&lt;b&gt; &amp; <i>"), "[09:05:07] n: <b> & <i>\n"},
        LineCase{"ControlsBreakNoLine", Chat("a\nb", "x\r\ny&#10;z\x7F"), "[09:05:07] a b: x  y z \n"},
        LineCase{"System",
                 System("<BR><B>☆☆ 밥&lt;x&gt;님이 퇴장하셨습니다 ☆☆</B><BR><BR>"),
                 Utf8(u8"[09:05:07] * ☆☆ 밥<x>님이 퇴장하셨습니다 ☆☆\n")},
        LineCase{"SystemReferences", System("a&quot;&#39;&#x41;&bogus;&#0;b"),
                 "[09:05:07] * a\"'A&bogus;&#0;b\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FolderCase {
  const char* name;
  std::string channel;  // code page 949
  std::string folder;   // UTF-8; "#" marks where the hash of the name goes
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class RoomFolders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(RoomFolders, AreSafeAndReadable) {
  const std::string folder = RoomFolderName(GetParam().channel);
  std::string expected = GetParam().folder;
  if (const auto hash = expected.find('#'); hash != std::string::npos) {
    ASSERT_GE(folder.size(), 8u) << folder;
    expected.replace(hash, 1, folder.substr(folder.size() - 8));
  }
  EXPECT_EQ(folder, expected);
  EXPECT_EQ(folder.find('/'), std::string::npos);
  EXPECT_EQ(folder.find(".."), std::string::npos);
  EXPECT_NE(folder.front(), '.');
  EXPECT_LE(folder.size(), kMaxRoomFolder + 9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoomFolders,
    ::testing::Values(FolderCase{"Room", "#lobby", "lobby"}, FolderCase{"OneToOne", "#Pchatalice^bob", "Pchatalice^bob"},
                      FolderCase{"Korean", "#미렐방", Utf8(u8"미렐방")},
                      FolderCase{"Climbing", "#../../etc", "_._.__etc-#"},
                      FolderCase{"Dots", "#.a..b", "_a._b-#"},
                      FolderCase{"OddBytes", "#a b\x01*\\", "a_b___-#"},
                      FolderCase{"WaitingRoom", "오르빈타 홈", Utf8(u8"오르빈타_홈-#")},
                      FolderCase{"Empty", "#", "#"},
                      FolderCase{"Long", "#" + std::string(100, 'x'), std::string(kMaxRoomFolder, 'x') + "-#"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoomFolders, NamesThatMapAlikeStayApart) {
  EXPECT_NE(RoomFolderName("#a/b"), RoomFolderName("#a*b"));
  EXPECT_NE(RoomFolderName("#" + std::string(70, 'x') + "1"), RoomFolderName("#" + std::string(70, 'x') + "2"));
}

TEST(RoomLogFolder, FollowsTheDataHome) {
  EXPECT_EQ(RoomLogFolder("/d", "/h"), "/d/orvinta/logs");
  EXPECT_EQ(RoomLogFolder("relative", "/h"), "/h/.local/share/orvinta/logs");
  EXPECT_EQ(RoomLogFolder(nullptr, "/h"), "/h/.local/share/orvinta/logs");
  EXPECT_EQ(RoomLogFolder(nullptr, nullptr), "");
}

class MemoryFiles final : public LogFiles {
 public:
  bool MakeFolders(const std::string& folder) override {
    folders.push_back(folder);
    return !failing;
  }
  bool Append(const std::string& path, std::string_view bytes) override {
    if (failing) return false;
    files[path] += bytes;
    ++writes;
    return true;
  }
  std::map<std::string, std::string> files;
  std::vector<std::string> folders;
  int writes = 0;
  bool failing = false;
};

class ManualWallClock final : public WallClock {
 public:
  std::tm LocalNow() override { return now; }
  std::tm now = At(2026, 12, 8, 23, 59, 58);
};

class RoomLogTest : public ::testing::Test {
 protected:
  std::unique_ptr<RoomLog> MakeLog() {
    return std::make_unique<RoomLog>("/logs", preferences, RoomLogPorts{files, clock, timers},
                                     [this](const std::string& channel, const std::string& path) {
                                       reports.push_back(channel + " " + path);
                                     });
  }
  void Say(const char* text, const char* room = "#lobby") {
    log->OnLineShown(Chat("bob", text, room));
  }
  std::string File(const std::string& room = "lobby", const std::string& day = "2026-12-08") {
    return files.files["/logs/" + room + "/" + day + ".log"];
  }

  window::ReadingPreferences preferences = [] {
    window::ReadingPreferences on;
    on.roomLog = true;
    return on;
  }();
  MemoryFiles files;
  ManualWallClock clock;
  fakes::FakeTimers timers;
  std::vector<std::string> reports;
  std::unique_ptr<RoomLog> log = MakeLog();
};

TEST_F(RoomLogTest, LinesWaitAtMostASecond) {
  Say("one");
  timers.Advance(600);
  Say("two");
  Say("elsewhere", "#other");
  timers.Advance(399);
  EXPECT_EQ(files.writes, 0);  // a second has not passed since the first line
  timers.Advance(1);
  EXPECT_EQ(File(), "[23:59:58] bob: one\n[23:59:58] bob: two\n");
  EXPECT_EQ(File("other"), "[23:59:58] bob: elsewhere\n");
  EXPECT_EQ(files.folders, (std::vector<std::string>{"/logs/lobby", "/logs/other"}));
  EXPECT_FALSE(timers.IsRunning(RoomLog::kFlushTimer));  // nothing waits, nothing ticks

  Say("three");  // the second begins at the next line
  timers.Advance(999);
  EXPECT_EQ(files.writes, 2);
  timers.Advance(1);
  EXPECT_EQ(files.writes, 3);
}

TEST_F(RoomLogTest, ClosingWritesWhatWaits) {
  Say("last words");
  log.reset();
  EXPECT_EQ(File(), "[23:59:58] bob: last words\n");
}

TEST_F(RoomLogTest, ANewDayStartsANewFile) {
  Say("before");
  clock.now = At(2026, 12, 9, 0, 0, 1);
  Say("after");
  timers.Advance(1000);
  EXPECT_EQ(File(), "[23:59:58] bob: before\n");
  EXPECT_EQ(File("lobby", "2026-12-09"), "[00:00:01] bob: after\n");
}

TEST_F(RoomLogTest, OffWritesNothing) {
  preferences.roomLog = false;
  Say("private");
  timers.Advance(5000);
  log.reset();
  EXPECT_TRUE(files.files.empty());
  EXPECT_FALSE(timers.IsRunning(RoomLog::kFlushTimer));
}

TEST_F(RoomLogTest, AFailingFileIsReportedOnceUntilItWritesAgain) {
  files.failing = true;
  for (int second = 0; second < 5; ++second) {
    Say("lost");
    Say("lost too");
    timers.Advance(1000);
  }
  EXPECT_EQ(reports, std::vector<std::string>{"#lobby /logs/lobby/2026-12-08.log"});
  files.failing = false;
  Say("back");
  timers.Advance(1000);
  EXPECT_EQ(File(), "[23:59:58] bob: back\n");  // what could not be written was dropped, not kept
  files.failing = true;
  Say("again");
  timers.Advance(1000);
  EXPECT_EQ(reports.size(), 2u);
}

TEST_F(RoomLogTest, AFastRoomIsWrittenBeforeItsBufferGrowsLarge) {
  const std::string line(1000, 'x');
  for (int i = 0; i < 100; ++i) Say(line.c_str());
  // No time has passed, yet all but the last buffer's worth is written.
  EXPECT_GE(File().size(), 100 * line.size() - RoomLog::kMaxBuffered);
}

}  // namespace
}  // namespace orvinta::log
