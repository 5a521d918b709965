// Saving a transcript: the proposed name, the document, and the flow from the
// button to the file, with the desktop and the room's view faked.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "client/components/config/atomic_file.h"
#include "client/window/saving/default_file_name.h"
#include "client/window/saving/local_save_ports.h"
#include "client/window/saving/saved_document.h"
#include "client/window/saving/transcript_saver.h"
#include "platform/cp949.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::saving {
namespace {

namespace fs = std::filesystem;

std::tm Minute() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = 9;
  t.tm_min = 5;
  return t;
}

struct NameCase {
  std::string name;
  std::string title;
  std::string expected;
};

class DefaultName : public testing::TestWithParam<NameCase> {};

TEST_P(DefaultName, IsCleanedFromTheTitle) {
  EXPECT_EQ(DefaultSaveName(GetParam().title, Minute()), GetParam().expected);
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, DefaultName,
    testing::Values(NameCase{"OneToOne", "철수님과 1:1 대화", "철수님과 1대1 대화(202612080905).htm"},
                    NameCase{"Slash", "a/b\\c", "abc(202612080905).htm"},
                    NameCase{"QuestionAndOtherForbidden", "왜?*:\"<>|", "왜(202612080905).htm"},
                    NameCase{"ControlCharacters", "a\tb\nc\x1b\x7f", "abc(202612080905).htm"},
                    NameCase{"LeadingDots", "..숨김.방", "숨김.방(202612080905).htm"},
                    NameCase{"OnlyDotsAndSlashes", "./..", "(202612080905).htm"},
                    NameCase{"LongKoreanCutOnACharacter", Repeat("가", 100), Repeat("가", 60) + "(202612080905).htm"},
                    NameCase{"LongOddAsciiThenKorean", "a" + Repeat("가", 100), "a" + Repeat("가", 59) + "(202612080905).htm"},
                    NameCase{"LongOneToOneStaysBounded", Repeat("1:1", 60), Repeat("1대1", 30) + "(202612080905).htm"},
                    NameCase{"BrokenLeadByteDropped", "x\x81/", "x(202612080905).htm"}),
    [](const auto& info) { return info.param.name; });

TEST(SavedDocument, WrapsTheLinesInTheFixedHeadAndTail) {
  const std::string& head = SavedDocumentHead();
  EXPECT_EQ(head.rfind("<html>\n<head>\n<meta http-equiv=Content-Type content='text/html; charset=Korean'>\n<title>", 0), 0u);
  EXPECT_NE(head.find("\n<title>벨보 오르빈타</title>\n<style>\n"), std::string::npos);
  EXPECT_NE(head.find("</style>\n</head>\n\n<body bgColor=#FFFFFF leftMargin=0 topMargin=0 marginWidth=0 "
                      "marginHeight=0 style='overflow-x:hidden;'>\n<br>\n"),
            std::string::npos);
  EXPECT_EQ(head.back(), '\n');
  EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 17);
  EXPECT_EQ(SavedDocument("<TABLE>줄</TABLE>"), head + "<TABLE>줄</TABLE></body>\n</html>\n");
}

class FakeDesktop final : public SaveDesktop {
 public:
  std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::string DocumentsFolder() override { return documents; }
  std::vector<SaveDialogRequest> requests;
  std::optional<std::string> answer;
  std::string documents = "/home/u/문서";
};

class FakeFiles final : public SaveFiles {
 public:
  bool FolderExists(const std::string& folder) override { return folders.count(folder) > 0; }
  bool CreateFolder(const std::string& folder) override {
    created.push_back(folder);
    return folders.insert(folder).second;
  }
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    if (!writable) return false;
    files[path] = std::string(bytes);
    return true;
  }
  std::set<std::string> folders{"/home/u/문서"};
  std::vector<std::string> created;
  std::map<std::string, std::string> files;
  bool writable = true;
};

class FakeClock final : public LocalClock {
 public:
  std::tm Now() override { return Minute(); }
};

// Holds each read until the test answers it, as the view answers later.
class FakeTranscripts final : public TranscriptSource {
 public:
  bool ReadTranscript(const std::string& channel, platform::HtmlView::HtmlCallback callback) override {
    reads.push_back(channel);
    if (open.count(channel) == 0) return false;
    pending.push_back(std::move(callback));
    return true;
  }
  void Answer(const std::string& html) {
    auto callback = std::move(pending.front());
    pending.erase(pending.begin());
    callback(html);
  }
  std::set<std::string> open{"#lobby", "#other"};
  std::vector<std::string> reads;
  std::vector<platform::HtmlView::HtmlCallback> pending;
};

class TranscriptSaving : public testing::Test {
 protected:
  FakeDesktop desktop;
  FakeFiles files;
  fakes::FakeMessageBoxes boxes;
  FakeClock clock;
  FakeTranscripts transcripts;
  config::ConfigValues values;
  int configWrites = 0;
  std::unique_ptr<TranscriptSaver> saver = std::make_unique<TranscriptSaver>(
      SavingPorts{desktop, files, boxes, clock, transcripts}, values, [this] { ++configWrites; });
  const SaveTarget lobby{"#lobby", "로비 1:1", false};
};

TEST_F(TranscriptSaving, WaitingRoomOrNoRoomOnlyTellsWhy) {
  saver->OnBnClickedButtonSave(SaveTarget{"오르빈타 홈", "홈", true});
  saver->OnBnClickedButtonSave(std::nullopt);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "내용저장은 채팅방에서만 할 수 있습니다  ");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_TRUE(desktop.requests.empty());
}

TEST_F(TranscriptSaving, DialogOpensInDocumentsThenInTheRememberedFolder) {
  const std::string folder = platform::Cp949ToUtf8Lossy("/data/저장");  // paths are the platform's
  desktop.answer = folder + platform::Cp949ToUtf8Lossy("/로비.htm");
  saver->OnBnClickedButtonSave(lobby);
  ASSERT_EQ(desktop.requests.size(), 1u);
  const SaveDialogRequest& first = desktop.requests[0];
  EXPECT_EQ(first.caption, "다른이름으로 저장하기");
  EXPECT_EQ(first.filters, "Html Files(*.htm)|*.htm|All Files(*.*)|*.*||");
  EXPECT_EQ(first.defaultSuffix, "htm");
  EXPECT_TRUE(first.promptOverwrite);
  EXPECT_EQ(first.folder, "/home/u/문서");
  EXPECT_EQ(first.fileName, platform::Cp949ToUtf8Lossy("로비 1대1(202612080905).htm"));
  EXPECT_EQ(values.SaveFolder, folder);
  EXPECT_EQ(configWrites, 1);

  // The remembered folder has gone since: it is made again before the dialog opens.
  saver->OnBnClickedButtonSave(lobby);
  EXPECT_EQ(desktop.requests[1].folder, folder);
  EXPECT_EQ(files.created, std::vector<std::string>{folder});
}

TEST_F(TranscriptSaving, MissingDocumentsFolderIsCreated) {
  files.folders.clear();
  saver->OnBnClickedButtonSave(lobby);
  EXPECT_EQ(files.created, std::vector<std::string>{"/home/u/문서"});
}

TEST_F(TranscriptSaving, CancelledDialogReadsAndWritesNothing) {
  saver->OnBnClickedButtonSave(lobby);
  EXPECT_TRUE(transcripts.reads.empty());
  EXPECT_EQ(configWrites, 0);
  EXPECT_EQ(values.SaveFolder, "");
}

TEST_F(TranscriptSaving, WritesTheChannelCapturedAtTheClickOnceItsLinesArrive) {
  desktop.answer = "/data/a.htm";
  saver->OnBnClickedButtonSave(lobby);
  EXPECT_EQ(transcripts.reads, std::vector<std::string>{"#lobby"});
  EXPECT_TRUE(files.files.empty()) << "nothing is written before the lines are read";
  transcripts.Answer("<TABLE>안녕</TABLE>");
  EXPECT_EQ(files.files["/data/a.htm"], SavedDocument("<TABLE>안녕</TABLE>"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TranscriptSaving, EmptyReadOrClosedRoomWritesNothing) {
  desktop.answer = "/data/a.htm";
  saver->OnBnClickedButtonSave(lobby);
  transcripts.Answer("");
  transcripts.open.erase("#lobby");
  saver->OnBnClickedButtonSave(lobby);
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TranscriptSaving, FailedWriteIsReported) {
  desktop.answer = "/data/a.htm";
  files.writable = false;
  saver->OnBnClickedButtonSave(lobby);
  transcripts.Answer("<TABLE>x</TABLE>");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_NE(boxes.shown[0].text.find("저장하지 못했습니다"), std::string::npos);
}

TEST_F(TranscriptSaving, AnswerAfterTheSaverIsGoneWritesNothing) {
  desktop.answer = "/data/a.htm";
  saver->OnBnClickedButtonSave(lobby);
  saver.reset();
  transcripts.Answer("<TABLE>x</TABLE>");
  EXPECT_TRUE(files.files.empty());
}

// With the real file system: choosing an existing file and reading nothing leaves it whole.
TEST(TranscriptSavingOnDisk, ExistingFileSurvivesAnEmptyReadAndIsReplacedWhole) {
  std::string pattern = (fs::temp_directory_path() / "orvinta-save-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  const std::string path = (folder / "old.htm").string();
  ASSERT_TRUE(config::WriteFileAtomically(path, "precious"));

  FakeDesktop desktop;
  desktop.answer = path;
  LocalSaveFiles files;
  fakes::FakeMessageBoxes boxes;
  FakeClock clock;
  FakeTranscripts transcripts;
  config::ConfigValues values;
  TranscriptSaver saver({desktop, files, boxes, clock, transcripts}, values, {});
  saver.OnBnClickedButtonSave(SaveTarget{"#lobby", "로비", false});
  transcripts.Answer("");
  EXPECT_EQ(config::ReadFileBounded(path, 100).value_or(""), "precious");

  saver.OnBnClickedButtonSave(SaveTarget{"#lobby", "로비", false});
  transcripts.Answer("<TABLE>새 줄</TABLE>");
  EXPECT_EQ(config::ReadFileBounded(path, 1 << 16).value_or(""), SavedDocument("<TABLE>새 줄</TABLE>"));
  EXPECT_EQ(values.SaveFolder, folder.string());
  fs::remove_all(folder);
}

TEST(TranscriptSavingOnDisk, CodePage949PathsReachTheDiskAsUtf8) {
  EXPECT_EQ(LocalPath("/tmp/저장"), "/tmp/\xEC\xA0\x80\xEC\x9E\xA5");
  EXPECT_EQ(LocalPath("/tmp/\xFF"), "/tmp/\xFF");
  EXPECT_EQ(LocalPath("/home/jos\xC3\xA9"), "/home/jos\xC3\xA9") << "the platform's own path";
}

}  // namespace
}  // namespace orvinta::saving
