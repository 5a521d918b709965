#pragma once
// The main window's popups: one announcement on screen at a time, the rest
// waiting in a bounded queue. Answers reach the owner through one handler.
#include <deque>
#include <string>

#include "client/components/notifier/prompt_port.h"
#include "client/components/notifier/taskbar_notifier.h"

namespace orvinta::components {

class PromptPopups final : public PromptPort {
 public:
  static constexpr std::size_t kMaxQueued = 8;
  // A waiting prompt older than this is stale: its inviter has stopped waiting.
  static constexpr int kQueuedLifetimeMs = 15000;
  static constexpr int kExpiryTimer = 9;
  static constexpr int kExpiryTickMs = 500;

  // Takes over `timers` (its handler): the popup's timers and the queue's own.
  PromptPopups(NotifierSurface& surface, platform::Timers& timers, int tickMs = kNtTickMs);
  // Nothing is answered while the popups are taken down.
  ~PromptPopups() override;
  PromptPopups(const PromptPopups&) = delete;
  PromptPopups& operator=(const PromptPopups&) = delete;

  void SetAnswerHandler(AnswerHandler handler) override { answers_ = std::move(handler); }
  // One on screen; while it is, the rest wait (a full queue refuses an invitation at once).
  void ShowPrompt(NotifierKind kind, std::string text, NotifierData data) override;
  void ShowNotice(std::string text) override;
  // Any announcement with settings of the caller's own.
  void Announce(NotifierSettings settings, NotifierKind kind, std::string text, NotifierData data = {});

  std::size_t queued() const { return queue_.size(); }
  CTaskbarNotifier& notifier() { return notifier_; }
  const CTaskbarNotifier& notifier() const { return notifier_; }

 private:
  struct Pending {
    NotifierSettings settings;
    NotifierKind kind;
    std::string text;
    NotifierData data;
    int ageMs = 0;
  };
  void OnTimer(int id);
  void ShowNext();
  void Deliver(const NotifierAnswer& answer);
  // A prompt that will never be shown: an invitation is refused, a vote or a notice dropped.
  void Drop(const Pending& pending);

  platform::Timers& timers_;
  CTaskbarNotifier notifier_;
  AnswerHandler answers_;
  std::deque<Pending> queue_;
};

}  // namespace orvinta::components
