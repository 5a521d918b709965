#include "client/window/chat_dlg.h"

#include <array>

#include "client/window/line_html.h"
#include "client/window/resource_address.h"

namespace orvinta::window {
namespace {

struct LoadStep {
  int timer;
  int delayMs;
  bool onlyWhileUnloaded;
};
// The transcript page is asked for again while it has not arrived.
constexpr std::array<LoadStep, 4> kTranscriptSteps = {{
    {CChatDlg::kNavigate, 200, false},
    {CChatDlg::kRetry1, 1500, true},
    {CChatDlg::kRetry2, 3000, true},
    {CChatDlg::kRetry3, 5000, true},
}};
constexpr int kHomeDelayMs = 200;
constexpr char kEndLine[] = "END_LINE";
constexpr char kTranscriptElement[] = "CHAT_MAIN";

}  // namespace

CChatDlg::CChatDlg(const ViewContext& context, bool home, std::function<void()> onHomeClick,
                   std::function<void()> onLinkNotOpened)
    : context_(context),
      home_(home),
      onHomeClick_(std::move(onHomeClick)),
      onLinkNotOpened_(std::move(onLinkNotOpened)),
      view_(context.views.Create(home ? platform::HtmlViewRole::Home : platform::HtmlViewRole::Transcript)),
      page_(*view_),
      timers_(context.timers.OpenBlock([this](int local) { OnTimer(local); })) {
  view_->SetListener(this);
}

CChatDlg::~CChatDlg() {
  view_->SetListener(nullptr);
  context_.latch.Release(this);
  timers_.reset();
}

void CChatDlg::Start() {
  page_.Reset();
  if (home_) {
    timers_->Set(kHomeNavigate, kHomeDelayMs);
    return;
  }
  for (const LoadStep& step : kTranscriptSteps) timers_->Set(step.timer, step.delayMs);
}

void CChatDlg::Reload() {
  page_.Reset();
  NavigateTo(LauncherPageAddress());
}

void CChatDlg::AddLine(TranscriptLine line) {
  page_.AppendBeforeMarker(kEndLine, PageLineHtml(line, context_.portal));
  lines_.Add(std::move(line));
}

void CChatDlg::ClearLines() {
  lines_.Clear();
  page_.SetElementHtml(kTranscriptElement, TranscriptHtml(lines_, context_.portal));
}

std::string CChatDlg::LinesHtml() const { return TranscriptHtml(lines_, context_.portal); }

void CChatDlg::ReadElementHtml(const std::string& id, platform::HtmlView::HtmlCallback callback) {
  if (!home_ && id == kTranscriptElement) return callback(LinesHtml());
  page_.GetElementHtml(id, std::move(callback));
}

std::string CChatDlg::TranscriptAddress() const { return ResourceAddress(context_.portal, kTranscriptPage); }

std::string CChatDlg::LauncherPageAddress() const {
  return LauncherAddress(context_.portal, context_.settings.UserId, context_.settings.SessionKey);
}

void CChatDlg::NavigateTo(const std::string& address) {
  // A frame this view was still waiting for will not complete any more.
  context_.latch.Release(this);
  view_->Navigate(address);
}

void CChatDlg::OnTimer(int local) {
  timers_->Kill(local);  // every loading timer fires once
  if (local == kHomeNavigate) {
    if (home_) NavigateTo(LauncherPageAddress());
    return;
  }
  for (const LoadStep& step : kTranscriptSteps) {
    if (step.timer != local) continue;
    if (!step.onlyWhileUnloaded || !page_.IsLoaded()) NavigateTo(TranscriptAddress());
  }
}

void CChatDlg::OnNavigateComplete(platform::FrameHandle frame) {
  context_.latch.OnNavigateComplete(this, frame);
}

void CChatDlg::OnDocumentComplete(platform::FrameHandle frame) {
  if (context_.latch.TakeIfKept(frame)) page_.MarkLoaded();
}

void CChatDlg::OnLeftButtonUp() {
  if (home_ && onHomeClick_) onHomeClick_();
}

}  // namespace orvinta::window
