#include "client/components/notifier/prompt_popups.h"

#include <vector>

namespace orvinta::components {

PromptPopups::PromptPopups(NotifierSurface& surface, platform::Timers& timers, int tickMs)
    : timers_(timers), notifier_(surface, timers, tickMs) {
  timers_.SetHandler([this](int id) { OnTimer(id); });
  notifier_.Create([this](const NotifierAnswer& answer) { Deliver(answer); });
  notifier_.SetHiddenHandler([this] { ShowNext(); });
}

PromptPopups::~PromptPopups() {
  answers_ = nullptr;
  notifier_.ReleaseOwner();
  timers_.Kill(kExpiryTimer);
  timers_.SetHandler(nullptr);
}

void PromptPopups::ShowPrompt(NotifierKind kind, std::string text, NotifierData data) {
  Announce(WindowSettingsFor(kind), kind, std::move(text), std::move(data));
}

void PromptPopups::ShowNotice(std::string text) {
  Announce(WindowSettingsFor(NotifierKind::Notice), NotifierKind::Notice, std::move(text));
}

void PromptPopups::Announce(NotifierSettings settings, NotifierKind kind, std::string text, NotifierData data) {
  Pending pending{std::move(settings), kind, std::move(text), std::move(data)};
  if (notifier_.state() == NotifierState::Hidden && queue_.empty()) {
    notifier_.Announce(pending.settings, std::move(pending.data), std::move(pending.text), kind);
    return;
  }
  if (queue_.size() >= kMaxQueued) {
    Drop(pending);
    return;
  }
  queue_.push_back(std::move(pending));
  if (!timers_.IsRunning(kExpiryTimer)) timers_.Set(kExpiryTimer, kExpiryTickMs);
}

void PromptPopups::OnTimer(int id) {
  if (id != kExpiryTimer) {
    notifier_.OnTimer(id);
    return;
  }
  std::vector<Pending> stale;
  for (auto it = queue_.begin(); it != queue_.end();) {
    it->ageMs += kExpiryTickMs;
    if (it->kind != NotifierKind::Notice && it->ageMs >= kQueuedLifetimeMs) {
      stale.push_back(std::move(*it));
      it = queue_.erase(it);
    } else {
      ++it;
    }
  }
  if (queue_.empty()) timers_.Kill(kExpiryTimer);
  // Answered last: the owner may announce again from its handler.
  for (const auto& pending : stale) Drop(pending);
}

void PromptPopups::ShowNext() {
  if (queue_.empty()) return;
  Pending next = std::move(queue_.front());
  queue_.pop_front();
  if (queue_.empty()) timers_.Kill(kExpiryTimer);
  notifier_.Announce(next.settings, std::move(next.data), std::move(next.text), next.kind);
}

void PromptPopups::Deliver(const NotifierAnswer& answer) {
  if (!answers_) return;
  auto answers = answers_;  // the owner may replace its handler while answering
  answers(answer);
}

void PromptPopups::Drop(const Pending& pending) {
  if (pending.kind == NotifierKind::Invitation) Deliver({pending.kind, false, pending.data});
}

}  // namespace orvinta::components
