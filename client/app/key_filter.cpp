#include "client/app/key_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace orvinta::app {

KeyFilter::KeyFilter(QWidget& window, QWidget& inputLine, KeyHooks hooks)
    : QObject(&window), window_(window), inputLine_(inputLine), hooks_(std::move(hooks)) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_) return false;
  // A key a widget leaves alone goes on to its parents, and past this filter
  // again: only the widget the key was typed into (the window's focus, kept
  // while another program is active) acts on it.
  QWidget* typedInto = window_.focusWidget();
  if (widget != (typedInto ? typedInto : &window_)) return false;
  // A widget that answers its own keys (the transcript's find bar) keeps them.
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (w->property("orvintaOwnKeys").toBool()) return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F10) {
    return hooks_.functionKey && hooks_.functionKey(key->key() - Qt::Key_F1 + 1);
  }
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  const FilteredKey which = enter                          ? FilteredKey::Enter
                            : key->key() == Qt::Key_Escape ? FilteredKey::Escape
                            : key->key() == Qt::Key_Up     ? FilteredKey::Up
                            : key->key() == Qt::Key_Down   ? FilteredKey::Down
                                                           : FilteredKey::Other;
  if (which == FilteredKey::Other || !hooks_.preTranslate) return false;
  const bool inInputLine = widget == &inputLine_ || inputLine_.isAncestorOf(widget);
  return hooks_.preTranslate(which, inInputLine);
}

}  // namespace orvinta::app
