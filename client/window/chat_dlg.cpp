#include "client/window/chat_dlg.h"

#include "client/window/line_html.h"

namespace orvinta::window {
namespace {
constexpr char kTranscriptElement[] = "CHAT_MAIN";
}

CChatDlg::CChatDlg(const ViewContext& context, bool home, std::function<void()> onHomeClick,
                   std::function<void()> onLinkNotOpened, std::function<void()> onReachedTop)
    : context_(context), onLinkNotOpened_(onLinkNotOpened), onReachedTop_(std::move(onReachedTop)) {
  if (home) {
    home_ = std::make_unique<HomePageView>(context.views, context.timers, context.latch, context.portal,
                                           context.settings, std::move(onHomeClick), std::move(onLinkNotOpened));
  } else if (context.transcripts) {
    transcript_ = context.transcripts->Create(lines_);
    transcript_->SetListener(this);
  }
}

CChatDlg::~CChatDlg() {
  if (transcript_) transcript_->SetListener(nullptr);
}

void CChatDlg::Show(bool visible) {
  if (home_) home_->Show(visible);
  if (transcript_) transcript_->Show(visible);
}

void CChatDlg::AddLine(TranscriptLine line) {
  lines_.Add(std::move(line));
  if (transcript_) transcript_->LinesAdded();
}

std::size_t CChatDlg::AddLinesInFront(std::vector<TranscriptLine> lines) {
  const std::size_t put = lines_.AddInFront(std::move(lines));
  if (transcript_ && put > 0) transcript_->LinesAddedInFront();
  return put;
}

void CChatDlg::JumpToNewest() {
  if (transcript_) transcript_->JumpToNewest();
}

void CChatDlg::ClearLines() {
  lines_.Clear();
  if (transcript_) transcript_->LinesCleared();
}

std::string CChatDlg::LinesHtml() const { return TranscriptHtml(lines_, context_.portal); }

void CChatDlg::ReadElementHtml(const std::string& id, platform::HtmlView::HtmlCallback callback) {
  if (!home_) return callback(id == kTranscriptElement ? LinesHtml() : std::string());
  home_->Page().GetElementHtml(id, std::move(callback));
}

}  // namespace orvinta::window
