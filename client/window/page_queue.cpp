#include "client/window/page_queue.h"

namespace orvinta::window {

void PageQueue::SetElementHtml(const std::string& id, const std::string& html) {
  if (loaded_) {
    view_.SetElementHtml(id, html + setSuffix_);
    return;
  }
  // A later set of the same element replaces the earlier one's content anyway.
  for (auto it = sets_.begin(); it != sets_.end(); ++it) {
    if (it->first == id) {
      sets_.erase(it);
      break;
    }
  }
  sets_.emplace_back(id, html);
}

void PageQueue::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  if (loaded_) {
    view_.AppendBeforeMarker(markerId, html);
    return;
  }
  if (insertions_.size() >= kMaxPendingInsertions) insertions_.pop_front();
  insertions_.emplace_back(markerId, html);
}

void PageQueue::ScrollToMarker(const std::string& markerId) {
  if (loaded_) view_.ScrollToMarker(markerId);
}

void PageQueue::Reset() {
  loaded_ = false;
  insertions_.clear();
  sets_.clear();
}

void PageQueue::MarkLoaded() {
  loaded_ = true;
  while (!insertions_.empty()) {
    const Pending next = std::move(insertions_.front());
    insertions_.pop_front();
    view_.AppendBeforeMarker(next.first, next.second);
  }
  while (!sets_.empty()) {
    const Pending next = std::move(sets_.front());
    sets_.pop_front();
    view_.SetElementHtml(next.first, next.second + setSuffix_);
  }
}

}  // namespace orvinta::window
