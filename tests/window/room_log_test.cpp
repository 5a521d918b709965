// The room log: its lines, its names, and when it writes, on a manual clock.
#include "client/log/room_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "client/log/posix_log_files.h"
#include "client/log/room_log_text.h"
#include "tests/fakes/fake_timers.h"

namespace orvinta::log {
namespace {

using window::ShownLine;

// December 2026.
std::tm At(int day, int h, int m, int s) {
  std::tm t{};
  t.tm_year = 126, t.tm_mon = 11, t.tm_mday = day, t.tm_hour = h, t.tm_min = m, t.tm_sec = s;
  return t;
}

// UTF-8 whatever the execution character set of the test.
std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

ShownLine Line(std::string_view nick, std::string_view text, std::string_view room = "#lobby") {
  ShownLine line;
  line.room = room;
  line.system = nick.empty();
  line.senderNick = nick;
  line.text = text;
  return line;
}

struct LineCase {
  const char* name;
  ShownLine line;      // code page 949; no nick: a system line
  std::string logged;  // UTF-8
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LogLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LogLines, AreOneUtf8LineEach) { EXPECT_EQ(LogLine(GetParam().line, At(8, 9, 5, 7)), GetParam().logged); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LogLines,
    ::testing::Values(
        LineCase{"Chat", Line("밥", "안녕 100% a|b"), Utf8(u8"[09:05:07] 밥: 안녕 100% a|b\n")},
        // The page shows references as characters, and markup the sender typed as text.
        LineCase{"ChatReferences", Line("n", "&lt;b&gt; &amp; <i>"), "[09:05:07] n: <b> & <i>\n"},
        LineCase{"LineBreaks", Line("n", "a<br>b<BR/>"), "[09:05:07] n: a\n[09:05:07] n: b<BR/>\n"},
        LineCase{"ControlsBreakNoLine", Line("a\nb", "x\r\ny&#10;z\x7F"), "[09:05:07] a b: x  y z \n"},
        LineCase{"System", Line("", "<BR><B>☆☆ 밥&lt;x&gt;님이 퇴장하셨습니다 ☆☆</B><BR><BR>"),
                 Utf8(u8"[09:05:07] * ☆☆ 밥<x>님이 퇴장하셨습니다 ☆☆\n")},
        LineCase{"SystemReferences", Line("", "a&quot;&#39;&#x41;&bogus;&#0;b"), "[09:05:07] * a\"'A&bogus;\xEF\xBF\xBD" "b\n"},
        // Characters beyond code page 949 travel as references; old names need no ";".
        LineCase{"WideAndLegacyReferences", Line("n", "&#128512;&#x1F44D; &copy &lt;3 &notin; &hearts;"),
                 Utf8(u8"[09:05:07] n: 😀👍 © <3 ∉ ♥\n")}),
    [](const auto& info) { return std::string(info.param.name); });

struct FolderCase {
  const char* name;
  std::string channel;  // code page 949
  std::string folder;   // UTF-8; "#" stands for the hash of the name
};
void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class RoomFolders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(RoomFolders, AreSafeAndReadable) {
  const std::string folder = RoomFolderName(GetParam().channel);
  std::string expected = GetParam().folder;
  if (const auto hash = expected.find('#'); hash != std::string::npos && folder.size() >= 8) {
    expected.replace(hash, 1, folder.substr(folder.size() - 8));
  }
  EXPECT_EQ(folder, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoomFolders,
    ::testing::Values(FolderCase{"Room", "#lobby", "lobby"}, FolderCase{"OneToOne", "#Pchatalice^bob", "Pchatalice^bob"},
                      FolderCase{"Korean", "#미렐방", Utf8(u8"미렐방")}, FolderCase{"Climbing", "#../../etc", "_._.__etc-#"},
                      FolderCase{"Dots", "#.a..b", "_a._b-#"}, FolderCase{"OddBytes", "#a b\x01*\\", "a_b___-#"},
                      FolderCase{"WaitingRoom", "오르빈타 홈", Utf8(u8"오르빈타_홈-#")}, FolderCase{"Empty", "#", "#"},
                      FolderCase{"Long", "#" + std::string(100, 'x'), std::string(kMaxRoomFolder, 'x') + "-#"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoomFolders, NamesThatMapAlikeStayApart) { EXPECT_NE(RoomFolderName("#a/b"), RoomFolderName("#a*b")); }

class MemoryFiles final : public LogFiles {
 public:
  LogWrite Append(const std::string& path, std::string_view bytes) override {
    if (result == LogWrite::Written) files[path] += bytes, ++writes;
    return result;
  }
  std::map<std::string, std::string> files;
  int writes = 0;
  LogWrite result = LogWrite::Written;
};

class ManualClock final : public platform::LocalClock {
 public:
  std::tm Now() override { return now; }
  std::tm now = At(8, 23, 59, 58);
};

class RoomLogTest : public ::testing::Test {
 protected:
  RoomLogTest() { preferences.roomLog = true; }
  void Say(const char* text, const char* room = "#lobby") { log->OnLineShown(Line("bob", text, room)); }
  std::string File(const std::string& room = "lobby", const std::string& day = "08") {
    return files.files["/logs/" + room + "/2026-12-" + day + ".log"];
  }

  window::ReadingPreferences preferences;
  MemoryFiles files;
  ManualClock clock;
  fakes::FakeTimers timers;
  std::vector<std::string> reports;
  std::unique_ptr<RoomLog> log = std::make_unique<RoomLog>(
      "/logs", preferences, RoomLogPorts{files, clock, timers},
      [this](const std::string& channel, const std::string& path, LogWrite why) {
        reports.push_back(channel + " " + path + (why == LogWrite::Refused ? " refused" : ""));
      });
};

TEST_F(RoomLogTest, LinesWaitAtMostASecondAndTheRestGoesOnClosing) {
  Say("one");
  timers.Advance(600);
  Say("two");
  Say("elsewhere", "#other");
  timers.Advance(399);
  EXPECT_EQ(files.writes, 0);  // a second has not passed since the first line
  timers.Advance(1);
  EXPECT_EQ(File(), "[23:59:58] bob: one\n[23:59:58] bob: two\n");
  EXPECT_EQ(File("other"), "[23:59:58] bob: elsewhere\n");
  EXPECT_FALSE(timers.IsRunning(RoomLog::kFlushTimer));  // nothing waits, nothing ticks

  clock.now = At(9, 0, 0, 1);  // past midnight: a new file
  Say("three");
  timers.Advance(999);
  EXPECT_EQ(files.writes, 2);
  log.reset();
  EXPECT_EQ(File("lobby", "09"), "[00:00:01] bob: three\n");
}

TEST_F(RoomLogTest, ALineShownLateIsLoggedAtTheTimeAndDayItWasSaid) {
  std::tm said = At(7, 23, 50, 30);
  said.tm_isdst = -1;
  ShownLine missed = Line("bob", "missed");
  missed.saidAtMs = static_cast<std::int64_t>(std::mktime(&said)) * 1000;
  log->OnLineShown(missed);
  log.reset();
  EXPECT_EQ(File("lobby", "07"), "[23:50:30] bob: missed\n");
}

TEST_F(RoomLogTest, OffWritesNothing) {
  preferences.roomLog = false;
  Say("private");
  log.reset();
  EXPECT_TRUE(files.files.empty());
}

TEST_F(RoomLogTest, AFailingFileIsReportedOnceUntilItWritesAgain) {
  files.result = LogWrite::Failed;
  for (int second = 0; second < 3; ++second) {
    Say("lost");
    timers.Advance(1000);
  }
  EXPECT_EQ(reports, std::vector<std::string>{"#lobby /logs/lobby/2026-12-08.log"});
  files.result = LogWrite::Written;
  Say("back");
  timers.Advance(1000);
  EXPECT_EQ(File(), "[23:59:58] bob: back\n");  // what could not be written was dropped, not kept
  files.result = LogWrite::Failed;
  Say("again");
  timers.Advance(1000);
  EXPECT_EQ(reports.size(), 2u);
  files.result = LogWrite::Refused;  // told once for every room, and the log stops
  Say("x"), Say("y", "#other"), timers.Advance(1000), files.result = LogWrite::Written, Say("z"), log.reset();
  EXPECT_EQ(reports.back(), "#lobby /logs/lobby/2026-12-08.log refused");
  EXPECT_EQ(reports.size(), 3u);
  EXPECT_EQ(File(), "[23:59:58] bob: back\n");
}

TEST_F(RoomLogTest, AFastRoomIsWrittenBeforeItsBufferGrowsLarge) {
  const std::string line(1000, 'x');
  for (int i = 0; i < 100; ++i) Say(line.c_str());
  // No time has passed, yet all but the last buffer's worth is written.
  EXPECT_GE(File().size(), 100 * line.size() - RoomLog::kMaxBuffered);
}

// The real files, under a data folder of the test's own.
struct FileCase {
  const char* name;
  mode_t logsMode;       // of a log folder that stands already (0: none does)
  const char* standing;  // what stands at the day's file: "", "fifo" or "open file"
  LogWrite result;
};
class PosixFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(PosixFiles, AreTheUsersOwnAndPrivateOrRefused) {
  std::string base = ::testing::TempDir() + "roomlogXXXXXX";
  ASSERT_TRUE(::mkdtemp(base.data()));
  const std::string logs = RoomLogFolder(base), file = logs + "/lobby/2026-12-08.log", standing = GetParam().standing;
  if (GetParam().logsMode) {
    std::filesystem::create_directories(logs + "/lobby");
    for (const std::string& folder : {logs + "/..", logs + "/lobby"}) ::chmod(folder.c_str(), 0700);
    ::chmod(logs.c_str(), GetParam().logsMode);
  }
  if (standing == "fifo") ::mkfifo(file.c_str(), 0600);
  if (standing == "open file") ::close(::open(file.c_str(), O_CREAT | O_WRONLY, 0644));
  PosixLogFiles files(base);
  EXPECT_EQ(files.Append(file, "one\n"), GetParam().result);
  if (GetParam().result == LogWrite::Written) {
    EXPECT_EQ(files.Append(file, "two\n"), LogWrite::Written);
    EXPECT_EQ(std::filesystem::file_size(file), 8u);
    for (const auto& [path, mode] : {std::pair{file, 0600}, {logs + "/lobby", 0700}, {logs, 0700}}) {
      EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(mode)) << path;
    }
  }
  std::filesystem::remove_all(base);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PosixFiles,
    ::testing::Values(FileCase{"New", 0, "", LogWrite::Written}, FileCase{"Standing", 0700, "", LogWrite::Written},
                      FileCase{"FolderOpenToOthers", 0755, "", LogWrite::Refused},
                      FileCase{"FifoWithoutReader", 0700, "fifo", LogWrite::Refused},
                      FileCase{"FileOpenToOthers", 0700, "open file", LogWrite::Refused}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::log
