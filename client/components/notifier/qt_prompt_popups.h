#pragma once
// The main window's popups, ready to use: the queue of announcements with a
// real popup window and real timers, placed as the platform allows.
#include <QWidget>

#include "client/components/notifier/notifier_popup.h"
#include "client/components/notifier/prompt_popups.h"
#include "platform/qt/qt_timers.h"

namespace orvinta::components {

class QtPromptPopups {
 public:
  // `owner` is the main window the popups rise out of and stay above.
  explicit QtPromptPopups(QWidget* owner);
  QtPromptPopups(QWidget* owner, PopupPlacement placement);
  ~QtPromptPopups();
  QtPromptPopups(const QtPromptPopups&) = delete;
  QtPromptPopups& operator=(const QtPromptPopups&) = delete;

  PromptPopups& popups() { return popups_; }
  NotifierPopup* window() const { return surface_.popup(); }

 private:
  QtNotifierSurface surface_;
  platform::qt::QtTimers timers_;
  PromptPopups popups_;
};

}  // namespace orvinta::components
