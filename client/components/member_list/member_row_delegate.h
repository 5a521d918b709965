#pragma once
// Draws one member row as the list always looked: 176 x 24 centred, the
// picture in a 28-pixel cell, "nick(id)" cut with an ellipsis, the status
// mark in a 25-pixel cell; the row under the pointer is tinted, its name red.
#include <QStyledItemDelegate>

namespace orvinta::components {

class StatusPictures;

class MemberRowDelegate final : public QStyledItemDelegate {
 public:
  static constexpr int kRowWidth = 176;
  static constexpr int kRowHeight = 24;
  static constexpr int kIconCell = 28;
  static constexpr int kStatusCell = 25;

  // The status cell shows the portal's picture from `pictures` once it has
  // come; until then, and without `pictures`, the program's own mark.
  explicit MemberRowDelegate(StatusPictures* pictures, QObject* parent = nullptr)
      : QStyledItemDelegate(parent), pictures_(pictures) {}
  static QFont ListFont();

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  StatusPictures* pictures_;
};

}  // namespace orvinta::components
