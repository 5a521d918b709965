#include "client/window/chat_dlg.h"

#include "client/window/line_html.h"
#include "client/window/resource_address.h"

namespace orvinta::window {
namespace {

constexpr int kHomeDelayMs = 200;
constexpr char kTranscriptElement[] = "CHAT_MAIN";

}  // namespace

CChatDlg::CChatDlg(const ViewContext& context, bool home, std::function<void()> onHomeClick,
                   std::function<void()> onLinkNotOpened)
    : context_(context),
      home_(home),
      onHomeClick_(std::move(onHomeClick)),
      onLinkNotOpened_(std::move(onLinkNotOpened)),
      timers_(context.timers.OpenBlock([this](int local) { OnTimer(local); })) {
  if (home_) {
    pageView_ = context.views.Create(platform::HtmlViewRole::Home);
    page_ = std::make_unique<PageQueue>(*pageView_);
    pageView_->SetListener(this);
  } else if (context.transcripts) {
    transcript_ = context.transcripts->Create(lines_);
    transcript_->SetListener(this);
  }
}

CChatDlg::~CChatDlg() {
  if (pageView_) pageView_->SetListener(nullptr);
  if (transcript_) transcript_->SetListener(nullptr);
  context_.latch.Release(this);
  timers_.reset();
}

void CChatDlg::Start() {
  if (!home_) return;
  page_->Reset();
  timers_->Set(kHomeNavigate, kHomeDelayMs);
}

void CChatDlg::Reload() {
  if (!home_) return;
  page_->Reset();
  NavigateTo(LauncherPageAddress());
}

void CChatDlg::Show(bool visible) {
  if (pageView_) pageView_->Show(visible);
  if (transcript_) transcript_->Show(visible);
}

void CChatDlg::AddLine(TranscriptLine line) {
  lines_.Add(std::move(line));
  if (transcript_) transcript_->LinesAdded();
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
  page_->GetElementHtml(id, std::move(callback));
}

std::string CChatDlg::LauncherPageAddress() const {
  return LauncherAddress(context_.portal, context_.settings.UserId, context_.settings.SessionKey);
}

void CChatDlg::NavigateTo(const std::string& address) {
  // A frame this view was still waiting for will not complete any more.
  context_.latch.Release(this);
  pageView_->Navigate(address);
}

void CChatDlg::OnTimer(int local) {
  timers_->Kill(local);
  if (local == kHomeNavigate && home_) NavigateTo(LauncherPageAddress());
}

void CChatDlg::OnNavigateComplete(platform::FrameHandle frame) {
  context_.latch.OnNavigateComplete(this, frame);
}

void CChatDlg::OnDocumentComplete(platform::FrameHandle frame) {
  if (context_.latch.TakeIfKept(frame)) page_->MarkLoaded();
}

void CChatDlg::OnLeftButtonUp() {
  if (home_ && onHomeClick_) onHomeClick_();
}

}  // namespace orvinta::window
