#include "client/components/menus/icon_menu.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <qdrawutil.h>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconColumn = 24;  // icon plus its margin
constexpr int kTextGap = 8;
constexpr int kRightMargin = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kMinItemHeight = 22;

QColor ToQColor(std::uint32_t colorref) {
  return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}
std::uint32_t ToColorref(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
         (static_cast<std::uint32_t>(c.blue()) << 16);
}

// The picture's shape in one colour.
QPixmap Silhouette(const QPixmap& source, const QColor& colour) {
  QPixmap out(source.size());
  out.setDevicePixelRatio(source.devicePixelRatio());
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.drawPixmap(0, 0, source);
  p.setCompositionMode(QPainter::CompositionMode_SourceIn);
  p.fillRect(out.rect(), colour);
  return out;
}

}  // namespace

class IconMenu::Style final : public QProxyStyle {
 public:
  explicit Style(std::function<MenuLook()> look) : look_(std::move(look)) {}

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item) return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) return {kIconColumn, kSeparatorHeight};
    const QFontMetrics metrics(item->font);
    return {kIconColumn + kTextGap + metrics.horizontalAdvance(item->text) + kRightMargin,
            std::max(kMinItemHeight, metrics.height() + 6)};
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth: return 1;
      case PM_MenuHMargin:
      case PM_MenuVMargin: return 1;
      case PM_SmallIconSize: return kIconSize;
      default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameMenu) return QProxyStyle::drawPrimitive(element, option, painter, widget);
    const QPalette& pal = option->palette;
    if (look_() == MenuLook::Flat) {
      painter->setPen(pal.color(QPalette::Dark));
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    } else {
      qDrawShadePanel(painter, option->rect, pal, false, 1);
    }
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) return QProxyStyle::drawControl(element, option, painter, widget);
    painter->save();
    if (look_() == MenuLook::Flat) {
      DrawFlat(*item, painter);
    } else {
      DrawRaised(*item, painter);
    }
    painter->restore();
  }

 private:
  static QRect IconRect(const QStyleOptionMenuItem& item) {
    const QRect& r = item.rect;
    return {r.left() + (kIconColumn - kIconSize) / 2, r.top() + (r.height() - kIconSize) / 2, kIconSize, kIconSize};
  }
  static QRect TextRect(const QStyleOptionMenuItem& item) {
    return item.rect.adjusted(kIconColumn + kTextGap, 0, -kRightMargin, 0);
  }

  static void DrawFlat(const QStyleOptionMenuItem& item, QPainter* p) {
    const QPalette& pal = item.palette;
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QRect& r = item.rect;
    p->fillRect(r, pal.color(QPalette::Base));
    // The icon column, as the flat menus of a themed desktop draw it.
    p->fillRect(QRect(r.left(), r.top(), kIconColumn, r.height()), pal.color(QPalette::Button));
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
      p->setPen(pal.color(QPalette::Mid));
      const int y = r.center().y();
      p->drawLine(r.left() + kIconColumn + kTextGap, y, r.right(), y);
      return;
    }
    const bool enabled = item.state & State_Enabled;
    if ((item.state & State_Selected) && enabled) {
      p->fillRect(r.adjusted(1, 0, -1, 0), ToQColor(Lighten(ToColorref(highlight), kSelectedLightening)));
      p->setPen(highlight);
      p->drawRect(r.adjusted(1, 0, -2, -1));
    }
    const QRect icon = IconRect(item);
    if (item.checked) {
      const QRect box = icon.adjusted(-2, -2, 2, 2);
      p->fillRect(box, ToQColor(Lighten(ToColorref(highlight), kCheckedLightening)));
      qDrawShadeRect(p, box, pal, true, 1);
    }
    if (!item.icon.isNull()) {
      item.icon.paint(p, icon, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    p->setPen(enabled ? pal.color(QPalette::Active, QPalette::WindowText)
                      : pal.color(QPalette::Disabled, QPalette::WindowText));
    p->setFont(item.font);
    p->drawText(TextRect(item), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, item.text);
  }

  static void DrawRaised(const QStyleOptionMenuItem& item, QPainter* p) {
    const QPalette& pal = item.palette;
    const QRect& r = item.rect;
    p->fillRect(r, pal.color(QPalette::Button));
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
      // An etched line along the item's top: shadow over light.
      const int y = r.top() + 2;
      p->setPen(pal.color(QPalette::Dark));
      p->drawLine(r.left() + 1, y, r.right() - 1, y);
      p->setPen(pal.color(QPalette::Light));
      p->drawLine(r.left() + 1, y + 1, r.right() - 1, y + 1);
      return;
    }
    const bool enabled = item.state & State_Enabled;
    const bool selected = (item.state & State_Selected) && enabled;
    if (selected) p->fillRect(r, pal.color(QPalette::Active, QPalette::Highlight));
    const QRect icon = IconRect(item);
    if (item.checked) qDrawShadePanel(p, icon.adjusted(-2, -2, 2, 2), pal, true, 1);
    if (!item.icon.isNull()) {
      const QPixmap pixmap = item.icon.pixmap(kIconSize, kIconSize);
      if (enabled) {
        p->drawPixmap(icon.topLeft(), pixmap);
      } else {
        // Embossed: the shape in the highlight colour one pixel down and right, the shadow on top.
        p->drawPixmap(icon.topLeft() + QPoint(1, 1), Silhouette(pixmap, pal.color(QPalette::Light)));
        p->drawPixmap(icon.topLeft(), Silhouette(pixmap, pal.color(QPalette::Dark)));
      }
    }
    p->setFont(item.font);
    const QRect text = TextRect(item);
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic;
    if (!enabled) {
      p->setPen(pal.color(QPalette::Light));
      p->drawText(text.translated(1, 1), flags, item.text);
      p->setPen(pal.color(QPalette::Disabled, QPalette::WindowText));
    } else {
      p->setPen(selected ? pal.color(QPalette::Active, QPalette::HighlightedText)
                         : pal.color(QPalette::Active, QPalette::ButtonText));
    }
    p->drawText(text, flags, item.text);
  }

  std::function<MenuLook()> look_;
};

IconMenu::IconMenu(QList<QIcon> images, std::function<MenuLook()> look, QWidget* parent)
    : QMenu(parent), images_(std::move(images)), style_(new Style(std::move(look))) {
  style_->setParent(this);
  setStyle(style_);
  setObjectName(QStringLiteral("iconMenu"));
}

IconMenu::~IconMenu() = default;

void IconMenu::SetItems(const std::vector<platform::MenuItem>& items) {
  clear();
  for (const platform::MenuItem& item : items) {
    if (item.command == 0) {
      addSeparator();
      continue;
    }
    QAction* action = addAction(platform::qt::FromCp949(item.text));
    action->setData(item.command);
    action->setEnabled(item.enabled);
    if (item.checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    if (item.icon >= 0 && item.icon < images_.size()) action->setIcon(images_[item.icon]);
  }
}

int IconMenu::Track(const QPoint& at) {
  const QAction* chosen = exec(at);
  return chosen ? chosen->data().toInt() : 0;
}

}  // namespace orvinta::components
