#include "client/components/deferred_web_view.h"

#include <QEvent>
#include <QVBoxLayout>

namespace orvinta::components {
namespace {

// Tells the deferred views that the engine is in.
class EngineDoor final : public QObject {
  Q_OBJECT
 public:
  static EngineDoor& Shared() {
    static auto* door = new EngineDoor;
    return *door;
  }
  bool open = false;

 signals:
  void opened();
};

// Calls back each time the watched widget is shown.
class ShowWatch final : public QObject {
 public:
  ShowWatch(QObject* parent, std::function<void()> shown) : QObject(parent), shown_(std::move(shown)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) shown_();
    return false;
  }

 private:
  std::function<void()> shown_;
};

}  // namespace

void LetTheBrowserEngineIn() {
  EngineDoor& door = EngineDoor::Shared();
  if (door.open) return;
  door.open = true;
  emit door.opened();
}

bool BrowserEngineLetIn() { return EngineDoor::Shared().open; }

DeferredWebView::DeferredWebView(platform::HtmlViewRole role) : role_(role), frame_(new QWidget) {
  frame_->setAutoFillBackground(true);
  frame_->setPalette(QPalette(Qt::white));
  auto* layout = new QVBoxLayout(frame_);
  layout->setContentsMargins(0, 0, 0, 0);
  frame_->hide();
  showWatch_ = new ShowWatch(frame_, [this] { MakePageWhenDue(); });
  frame_->installEventFilter(showWatch_);
  if (!BrowserEngineLetIn()) {
    QObject::connect(&EngineDoor::Shared(), &EngineDoor::opened, frame_, [this] { MakePageWhenDue(); });
  }
}

DeferredWebView::~DeferredWebView() {
  page_.reset();  // lets its widget go before the frame does
  if (frame_) {
    delete showWatch_;
    frame_->hide();
    frame_->deleteLater();
  }
}

// A page costs the engine a document and its layout: a pane the user never
// looks at (the waiting room behind a room's tab) never gets one.
void DeferredWebView::MakePageWhenDue() {
  if (!page_ && BrowserEngineLetIn() && frame_ && frame_->isVisible()) MakePage();
}

void DeferredWebView::MakePage() {
  page_ = std::make_unique<WebView>(role_);
  page_->SetListener(listener_);
  if (frame_) frame_->layout()->addWidget(page_->Widget());
  page_->Show(true);  // the frame shows and hides it
  std::vector<Step> held = std::move(held_);
  held_.clear();
  for (Step& step : held) step(*page_);
}

void DeferredWebView::Do(Step step) {
  if (page_) return step(*page_);
  if (held_.size() >= kMaxHeldSteps) held_.erase(held_.begin());
  held_.push_back(std::move(step));
}

void DeferredWebView::SetListener(platform::HtmlViewListener* listener) {
  listener_ = listener;
  if (page_) page_->SetListener(listener);
}

void DeferredWebView::Navigate(const std::string& address) {
  Do([address](platform::HtmlView& view) { view.Navigate(address); });
}

void DeferredWebView::SetElementHtml(const std::string& id, const std::string& html) {
  Do([id, html](platform::HtmlView& view) { view.SetElementHtml(id, html); });
}

void DeferredWebView::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  Do([markerId, html](platform::HtmlView& view) { view.AppendBeforeMarker(markerId, html); });
}

void DeferredWebView::GetElementHtml(const std::string& id, HtmlCallback callback) {
  Do([id, callback = std::move(callback)](platform::HtmlView& view) mutable { view.GetElementHtml(id, std::move(callback)); });
}

void DeferredWebView::ScrollToMarker(const std::string& markerId) {
  Do([markerId](platform::HtmlView& view) { view.ScrollToMarker(markerId); });
}

void DeferredWebView::JumpToMarker(const std::string& markerId) {
  Do([markerId](platform::HtmlView& view) { view.JumpToMarker(markerId); });
}

void DeferredWebView::Show(bool visible) {
  if (frame_) frame_->setVisible(visible);
}

}  // namespace orvinta::components

#include "deferred_web_view.moc"
