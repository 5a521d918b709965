#pragma once
// The popup to screen readers: an alert for an invitation or a vote (a
// notification for a notice) named by its text, with its two answers as
// actions and the keys that give them in its description. It is read when it
// shows, and never takes the focus from the input line.
#include <QAccessibleWidget>

namespace orvinta::components {

class NotifierPopup;

// The keys that answer the popup on show from anywhere in the main window.
inline constexpr const char* kAcceptKeys = "Alt+Y";
inline constexpr const char* kRefuseKeys = "Alt+N";

class NotifierAccessible final : public QAccessibleWidget {
 public:
  explicit NotifierAccessible(NotifierPopup* popup);
  static void Install();

  QAccessible::Role role() const override;
  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  QString localizedActionName(const QString& name) const override;
  void doAction(const QString& name) override;

 private:
  NotifierPopup* Popup() const;
};

}  // namespace orvinta::components
