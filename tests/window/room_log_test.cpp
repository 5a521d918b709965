// The room log: its lines, its names, and when it writes, on a manual clock.
#include "client/log/room_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
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
        LineCase{"SystemReferences", Line("", "a&quot;&#39;&#x41;&bogus;&#0;b"), "[09:05:07] * a\"'A&bogus;&#0;b\n"}),
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
}

TEST_F(RoomLogTest, ARefusedFileIsToldOnceAndTheLogStops) {
  files.result = LogWrite::Refused;
  Say("one");
  Say("two", "#other");
  timers.Advance(1000);
  files.result = LogWrite::Written;
  Say("three");
  log.reset();
  EXPECT_EQ(reports, std::vector<std::string>{"#lobby /logs/lobby/2026-12-08.log refused"});
  EXPECT_TRUE(files.files.empty());
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
  std::function<void(const std::string& logs)> before;  // what already stands in the log folder
  LogWrite result;
};
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class PosixFiles : public ::testing::TestWithParam<FileCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(::mkdtemp(base.data())); }
  void TearDown() override { std::filesystem::remove_all(base); }
  static mode_t Mode(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
  }
  std::string base = ::testing::TempDir() + "roomlogXXXXXX";
};

TEST_P(PosixFiles, AreTheUsersOwnAndPrivateOrRefused) {
  const std::string logs = RoomLogFolder(base), file = logs + "/lobby/2026-12-08.log";
  GetParam().before(logs);
  PosixLogFiles files(base);
  ASSERT_EQ(files.Append(file, "one\n"), GetParam().result);
  if (GetParam().result != LogWrite::Written) return;
  EXPECT_EQ(files.Append(file, "two\n"), LogWrite::Written);
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "one\ntwo\n");
  EXPECT_EQ(Mode(file), 0600u);
  EXPECT_EQ(Mode(logs + "/lobby"), 0700u);
  EXPECT_EQ(Mode(logs), 0700u);
}

// The folders as the program makes them, the log folder's mode aside.
void Folders(const std::string& logs, mode_t mode) {
  std::filesystem::create_directories(logs + "/lobby");
  for (const std::string& folder : {logs + "/..", logs + "/lobby"}) ::chmod(folder.c_str(), 0700);
  ::chmod(logs.c_str(), mode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PosixFiles,
    ::testing::Values(
        FileCase{"New", [](const std::string&) {}, LogWrite::Written},
        FileCase{"Standing", [](const std::string& logs) { Folders(logs, 0700); }, LogWrite::Written},
        FileCase{"FolderOpenToOthers", [](const std::string& logs) { Folders(logs, 0755); }, LogWrite::Refused},
        FileCase{"FirstFolderWritableByOthers",
                 [](const std::string& logs) { Folders(logs, 0700), ::chmod((logs + "/..").c_str(), 0777); },
                 LogWrite::Refused},
        FileCase{"LinkedFolder",
                 [](const std::string& logs) {
                   Folders(logs, 0700), std::filesystem::create_directory(logs + "/elsewhere", logs);
                   std::filesystem::remove(logs + "/lobby");
                   std::filesystem::create_directory_symlink(logs + "/elsewhere", logs + "/lobby");
                 },
                 LogWrite::Refused},
        FileCase{"LinkedFile",
                 [](const std::string& logs) {
                   Folders(logs, 0700);
                   std::filesystem::create_symlink("/dev/null", logs + "/lobby/2026-12-08.log");
                 },
                 LogWrite::Refused},
        FileCase{"FifoWithoutReader",
                 [](const std::string& logs) {
                   Folders(logs, 0700);
                   ::mkfifo((logs + "/lobby/2026-12-08.log").c_str(), 0600);
                 },
                 LogWrite::Refused},
        FileCase{"FileOpenToOthers",
                 [](const std::string& logs) {
                   Folders(logs, 0700);
                   std::ofstream(logs + "/lobby/2026-12-08.log");
                   ::chmod((logs + "/lobby/2026-12-08.log").c_str(), 0644);
                 },
                 LogWrite::Refused}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::log
