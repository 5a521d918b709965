#include "client/components/desktop/mention_tray.h"

#include <QApplication>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>

#include "protocol/guarded.h"

namespace orvinta::components {
namespace {

constexpr int kIconSize = 64;
constexpr int kTrayWatchMs = 10'000;
const QColor kBadgeColour(0xD9, 0x30, 0x25);

QIcon ProgramIcon() {
  const QIcon installed = QApplication::windowIcon();
  // An uninstalled build has no theme icon: the tray carries its own copy.
  return installed.isNull() ? QIcon(QStringLiteral(":/orvinta-tray/orvinta.png")) : installed;
}

QIcon WithBadge(const QIcon& base, const QString& badge) {
  if (badge.isEmpty()) return base;
  QPixmap pixmap = base.pixmap(kIconSize, kIconSize);
  if (pixmap.isNull()) {
    pixmap = QPixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
  }
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(kIconSize * 3 / 8);
  p.setFont(font);
  const int width = std::max(kIconSize / 2, p.fontMetrics().horizontalAdvance(badge) + kIconSize / 8);
  const QRectF badgeRect(kIconSize - width, 0, width, kIconSize / 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kBadgeColour);
  p.drawRoundedRect(badgeRect, kIconSize / 4.0, kIconSize / 4.0);
  p.setPen(Qt::white);
  p.drawText(badgeRect, Qt::AlignCenter, badge);
  return QIcon(pixmap);
}

}  // namespace

QString MentionBadgeText(int unseen) {
  if (unseen <= 0) return {};
  return unseen > 99 ? QStringLiteral("99+") : QString::number(unseen);
}

MentionTray::MentionTray(std::function<void()> restoreWindow, QObject* parent)
    : QObject(parent), restoreWindow_(std::move(restoreWindow)), base_(ProgramIcon()) {}

MentionTray::~MentionTray() = default;

void MentionTray::SetWanted(bool wanted) {
  const bool available = QSystemTrayIcon::isSystemTrayAvailable();
  // A tray (a panel) may start after the program: look again now and then.
  if (wanted && !available) {
    if (!trayWatch_) {
      trayWatch_ = new QTimer(this);
      connect(trayWatch_, &QTimer::timeout, this, [this] { SetWanted(true); });
    }
    trayWatch_->start(kTrayWatchMs);
  } else if (trayWatch_) {
    trayWatch_->stop();
  }
  if (!wanted || !available) {
    if (icon_) icon_->hide();
    return;
  }
  if (!icon_) {
    icon_ = new QSystemTrayIcon(this);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
      Guarded("the tray icon", [&] { if (restoreWindow_) restoreWindow_(); });
    });
  }
  Refresh();
  icon_->show();
}

void MentionTray::SetUnseen(int unseen) {
  unseen_ = std::max(0, unseen);
  if (icon_) Refresh();
}

bool MentionTray::IsShown() const { return icon_ && icon_->isVisible(); }

QString MentionTray::ToolTip() const {
  if (unseen_ == 0) return QStringLiteral("Orvinta");
  return QStringLiteral("Orvinta - 나를 부른 새 메시지 %1개").arg(unseen_);
}

QIcon MentionTray::CurrentIcon() const { return WithBadge(base_, MentionBadgeText(unseen_)); }

void MentionTray::Refresh() {
  // A flood of mentions changes the count, not always the picture ("99+").
  const QString badge = MentionBadgeText(unseen_);
  if (!drawnBadge_ || *drawnBadge_ != badge) {
    icon_->setIcon(CurrentIcon());
    drawnBadge_ = badge;
  }
  icon_->setToolTip(ToolTip());
}

}  // namespace orvinta::components
