#pragma once
// The icon in the desktop's tray (where there is one): the program's icon
// with the count of unseen mentions on it and in its tooltip; a click
// restores the window.
#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QSystemTrayIcon;

class QTimer;

namespace orvinta::components {

// "" for none, the number up to 99, then "99+".
QString MentionBadgeText(int unseen);

class MentionTray final : public QObject {
  Q_OBJECT
 public:
  explicit MentionTray(std::function<void()> restoreWindow, QObject* parent = nullptr);
  ~MentionTray() override;

  // The user's choice; the icon shows only when the desktop also has a tray.
  void SetWanted(bool wanted);
  void SetUnseen(int unseen);
  bool IsShown() const;
  QString ToolTip() const;
  QIcon CurrentIcon() const;

 private:
  void Refresh();

  std::function<void()> restoreWindow_;
  QIcon base_;
  QSystemTrayIcon* icon_ = nullptr;  // made when first shown
  QTimer* trayWatch_ = nullptr;      // while wanted and the desktop has no tray yet
  int unseen_ = 0;
  std::optional<QString> drawnBadge_;  // the badge the icon shows; none before it is drawn
};

}  // namespace orvinta::components
