#include "client/components/notifier/qt_prompt_popups.h"

#include <QGuiApplication>

namespace orvinta::components {

QtPromptPopups::QtPromptPopups(QWidget* owner)
    : QtPromptPopups(owner, PlacementForPlatform(QGuiApplication::platformName())) {}

QtPromptPopups::QtPromptPopups(QWidget* owner, PopupPlacement placement)
    : surface_(owner, placement), popups_(surface_, timers_) {
  surface_.Attach(&popups_.notifier());
}

QtPromptPopups::~QtPromptPopups() {
  // The window may outlive this object for a moment; it must not reach the logic.
  surface_.Attach(nullptr);
}

}  // namespace orvinta::components
