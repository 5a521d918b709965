#pragma once
// Whether a screen reader (or other assistive technology) listens on this
// desktop, and what the program does about it before the browser engine starts.
namespace orvinta::app {

// True when the desktop's accessibility bus is on, or the toolkit is told to
// speak to it always (QT_LINUX_ACCESSIBILITY_ALWAYS_ON). Asks the session
// bus once, briefly; false without one.
bool AssistiveTechnologyOn();

// The browser engine keeps its pages from screen readers on Linux unless told
// otherwise before its first profile exists: with assistive technology on it is told.
void OpenPagesToAssistiveTechnology();

}  // namespace orvinta::app
