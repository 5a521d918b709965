#include "tests/fakes/fake_html_view.h"

#include <algorithm>
#include <cctype>

namespace orvinta::fakes {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; }

// True when the start tag text (between "<" and ">") names the id.
bool TagHasId(const std::string& tag, const std::string& lowerId) {
  const std::string t = Lower(tag);
  for (std::size_t pos = t.find("id="); pos != std::string::npos; pos = t.find("id=", pos + 1)) {
    if (pos > 0 && IsNameChar(t[pos - 1])) continue;
    std::size_t v = pos + 3;
    char quote = 0;
    if (v < t.size() && (t[v] == '"' || t[v] == '\'')) quote = t[v++];
    if (t.compare(v, lowerId.size(), lowerId) != 0) continue;
    const std::size_t after = v + lowerId.size();
    if (quote ? (after < t.size() && t[after] == quote) : (after >= t.size() || !IsNameChar(t[after]))) return true;
  }
  return false;
}

}  // namespace

std::optional<ElementSpan> FindElement(const std::string& document, const std::string& id) {
  const std::string lowerId = Lower(id);
  const std::string lowerDoc = Lower(document);
  for (std::size_t open = lowerDoc.find('<'); open != std::string::npos; open = lowerDoc.find('<', open + 1)) {
    const std::size_t close = lowerDoc.find('>', open);
    if (close == std::string::npos) return std::nullopt;
    if (open + 1 >= lowerDoc.size() || !std::isalpha(static_cast<unsigned char>(lowerDoc[open + 1]))) continue;
    if (!TagHasId(document.substr(open + 1, close - open - 1), lowerId)) continue;
    std::size_t nameEnd = open + 1;
    while (nameEnd < close && IsNameChar(lowerDoc[nameEnd])) ++nameEnd;
    const std::string name = lowerDoc.substr(open + 1, nameEnd - open - 1);
    // Match the end tag, counting nested elements of the same name.
    int depth = 1;
    std::size_t scan = close + 1;
    while (depth > 0) {
      const std::size_t next = lowerDoc.find('<', scan);
      if (next == std::string::npos) return std::nullopt;
      const bool isEnd = lowerDoc.compare(next + 1, name.size() + 1, "/" + name) == 0;
      const bool isStart = lowerDoc.compare(next + 1, name.size(), name) == 0 &&
                           next + 1 + name.size() < lowerDoc.size() && !IsNameChar(lowerDoc[next + 1 + name.size()]);
      const std::size_t tagEnd = lowerDoc.find('>', next);
      if (tagEnd == std::string::npos) return std::nullopt;
      if (isEnd && --depth == 0) return ElementSpan{open, close + 1, next, tagEnd + 1};
      if (isStart) ++depth;
      scan = tagEnd + 1;
    }
  }
  return std::nullopt;
}

FakeHtmlView::FakeHtmlView(platform::HtmlViewRole r, FakeHtmlViewFactory* owner) : role(r), owner_(owner) {}

FakeHtmlView::~FakeHtmlView() {
  *alive_ = false;
  if (owner_) owner_->Forget(this);
}

void FakeHtmlView::SetElementHtml(const std::string& id, const std::string& html) {
  const auto span = FindElement(document, id);
  if (!span) return;
  document.replace(span->innerBegin, span->innerEnd - span->innerBegin, html);
}

void FakeHtmlView::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  const auto span = FindElement(document, markerId);
  if (!span) return;
  document.replace(span->outerBegin, span->outerEnd - span->outerBegin,
                   html + "\n<SPAN ID=" + markerId + "></SPAN>");
}

void FakeHtmlView::GetElementHtml(const std::string& id, HtmlCallback callback) {
  reads_.emplace_back(id, std::move(callback));
}

void FakeHtmlView::FinishLoad(const std::string& html) {
  document = html;
  FireNavigateComplete(frame());
  FireDocumentComplete(frame());
}

void FakeHtmlView::AnswerReads() {
  const std::shared_ptr<bool> alive = alive_;
  while (*alive && !reads_.empty()) {
    auto [id, callback] = std::move(reads_.front());
    reads_.pop_front();
    callback(Inner(id));  // may destroy this view
  }
}

std::string FakeHtmlView::Inner(const std::string& id) const {
  const auto span = FindElement(document, id);
  return span ? document.substr(span->innerBegin, span->innerEnd - span->innerBegin) : std::string();
}

std::unique_ptr<platform::HtmlView> FakeHtmlViewFactory::Create(platform::HtmlViewRole role) {
  auto view = std::make_unique<FakeHtmlView>(role, this);
  live.push_back(view.get());
  ++created;
  return view;
}

FakeHtmlView* FakeHtmlViewFactory::Find(platform::HtmlViewRole role, std::size_t nth) const {
  for (FakeHtmlView* view : live) {
    if (view->role == role && nth-- == 0) return view;
  }
  return nullptr;
}

void FakeHtmlViewFactory::AnswerAllReads() {
  for (bool again = true; again;) {
    again = false;
    for (std::size_t i = 0; i < live.size(); ++i) {
      if (live[i]->pendingReads() == 0) continue;
      live[i]->AnswerReads();
      again = true;
      break;  // the list may have changed
    }
  }
}

void FakeHtmlViewFactory::Forget(FakeHtmlView* view) { live.erase(std::remove(live.begin(), live.end(), view), live.end()); }

}  // namespace orvinta::fakes
