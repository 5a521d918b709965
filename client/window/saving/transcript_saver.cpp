#include "client/window/saving/transcript_saver.h"

#include "client/components/config/atomic_file.h"
#include "client/window/saving/default_file_name.h"
#include "client/window/saving/local_save_ports.h"
#include "client/window/saving/saved_document.h"
#include "platform/cp949.h"
#include "protocol/guarded.h"

namespace orvinta::saving {
namespace {

constexpr char kCaption[] = "벨보 미렐";
constexpr char kOnlyInRooms[] = "내용저장은 채팅방에서만 할 수 있습니다  ";
constexpr char kWriteFailed[] = "채팅 내용을 파일로 저장하지 못했습니다. 저장할 곳과 남은 공간을 확인해 주세요.  ";
constexpr char kDialogCaption[] = "다른이름으로 저장하기";
constexpr char kFilters[] = "Html Files(*.htm)|*.htm|All Files(*.*)|*.*||";
constexpr char kSuffix[] = "htm";

}  // namespace

TranscriptSaver::TranscriptSaver(SavingPorts ports, config::ConfigValues& values, std::function<void()> saveConfig)
    : ports_(ports), values_(values), saveConfig_(std::move(saveConfig)) {}

TranscriptSaver::~TranscriptSaver() { *alive_ = false; }

void TranscriptSaver::OnBnClickedButtonSave(const std::optional<SaveTarget>& current) {
  if (!current || current->waitingRoom) {
    ports_.boxes.Show(kOnlyInRooms, kCaption, platform::BoxButtons::Ok);
    return;
  }
  // Captured now: the dialog is modal but rooms can change while it is open.
  const std::string channel = current->channel;
  const auto alive = alive_;
  const std::string path = ChooseFile(current->title);
  if (!*alive || path.empty()) return;
  // The file is touched only once the transcript is in hand, so an empty
  // read or a room closed meanwhile leaves an existing file as it was.
  ports_.transcripts.ReadTranscript(channel, [this, alive = alive_, path](const std::string& html) {
    Guarded("saving a transcript", [&] {
      if (*alive && !html.empty()) Write(path, html);
    });
  });
}

void TranscriptSaver::Write(const std::string& path, const std::string& html) {
  if (!ports_.files.WriteWhole(path, SavedDocument(html))) {
    ports_.boxes.Show(kWriteFailed, kCaption, platform::BoxButtons::Ok);
  }
}

std::string TranscriptSaver::ChooseFile(const std::string& title) {
  SaveDialogRequest request{kDialogCaption, kFilters, kSuffix, LocalPath(values_.SaveFolder), {}, true};
  if (request.folder.empty()) {
    request.folder = ports_.desktop.DocumentsFolder();
  }
  if (!request.folder.empty() && !ports_.files.FolderExists(request.folder)) {
    ports_.files.CreateFolder(request.folder);
  }
  request.fileName = platform::Cp949ToUtf8Lossy(DefaultSaveName(title, ports_.clock.Now()));
  // The dialog runs its own event loop, in which the window may close.
  const auto alive = alive_;
  const auto chosen = ports_.desktop.RunSaveDialog(request);
  if (!*alive || !chosen || chosen->empty()) return {};
  values_.SaveFolder = config::FolderOf(*chosen);
  if (saveConfig_) saveConfig_();
  return *chosen;
}

}  // namespace orvinta::saving
