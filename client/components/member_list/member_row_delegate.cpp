#include "client/components/member_list/member_row_delegate.h"

#include <QPainter>
#include <algorithm>
#include <array>

#include "client/components/member_list/member_icons.h"
#include "client/components/member_list/member_list_model.h"
#include "client/components/member_list/status_pictures.h"
#include "client/components/status_icons.h"

namespace orvinta::components {
namespace {

const QColor kText(0x33, 0x33, 0x33);
const QColor kHoverBackground(0xEF, 0xF8, 0xF1);

// The program's own marks, drawn once.
const QPixmap& StatusMark(int status) {
  static const auto marks = [] {
    std::array<QPixmap, kStatusCount> all;
    for (int i = 0; i < kStatusCount; ++i) all[i] = StatusIcon(i).pixmap(16, 16);
    return all;
  }();
  return marks[status];
}

}  // namespace

QFont MemberRowDelegate::ListFont() {
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(12);
  return font;
}

QSize MemberRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {kRowWidth, kRowHeight};
}

void MemberRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // The row keeps its width and stays centred however wide the pane is.
  const QRect line = option.rect;
  const QRect row(line.x() + std::max(0, (line.width() - kRowWidth) / 2), line.y(), kRowWidth, kRowHeight);
  // The keyboard's current row looks as the pointed-at one does.
  const bool hovered = (option.state & QStyle::State_MouseOver) || (option.state & QStyle::State_HasFocus);
  painter->save();
  if (hovered) painter->fillRect(row, kHoverBackground);

  const QPixmap& picture = MemberIcons::Shared().Pixmap(index.data(MemberListModel::IconSlotRole).toInt());
  if (!picture.isNull()) {
    const QRect cell(row.x(), row.y(), kIconCell, kRowHeight);
    const QRect at(QPoint(0, 0), picture.deviceIndependentSize().toSize());
    painter->drawPixmap(at.translated(cell.center() - at.center()), picture);
  }

  const QRect nameCell(row.x() + kIconCell, row.y(), kRowWidth - kIconCell - kStatusCell, kRowHeight);
  painter->setFont(ListFont());
  painter->setPen(hovered ? QColor(Qt::red) : kText);
  const QString label = index.data(Qt::DisplayRole).toString();
  painter->drawText(nameCell, Qt::AlignLeft | Qt::AlignVCenter,
                    painter->fontMetrics().elidedText(label, Qt::ElideRight, nameCell.width()));

  if (const int status = index.data(MemberListModel::StatusRole).toInt(); status > 0) {
    const QRect cell(row.right() + 1 - kStatusCell, row.y(), kStatusCell, kRowHeight);
    const QPixmap* picture = pictures_ ? &pictures_->Picture(status) : nullptr;
    if (!picture || picture->isNull()) picture = &StatusMark(status);
    painter->drawPixmap(cell.center().x() - 7, cell.center().y() - 7, *picture);
  }
  painter->restore();
}

}  // namespace orvinta::components
