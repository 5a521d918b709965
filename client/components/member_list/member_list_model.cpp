#include "client/components/member_list/member_list_model.h"

#include "client/components/member_list/member_icons.h"
#include "client/components/status_icons.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {

MemberListModel::Row MemberListModel::Make(platform::MemberRow source) const {
  Row row;
  row.label = platform::qt::FromCp949(source.label);
  row.iconSlot = MemberIcons::Shared().Intern(QString::fromStdString(source.iconAddress));
  row.source = std::move(source);
  return row;
}

void MemberListModel::SetRows(std::vector<platform::MemberRow> rows) {
  bool sameMembers = rows.size() == rows_.size();
  for (std::size_t i = 0; sameMembers && i < rows.size(); ++i) sameMembers = rows[i].id == rows_[i].source.id;
  if (!sameMembers) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(rows.size());
    for (auto& row : rows) rows_.push_back(Make(std::move(row)));
    endResetModel();
    return;
  }
  // Status changes, the usual traffic: one repaint of the changed span.
  int first = -1, last = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == rows_[i].source) continue;
    if (rows[i].label != rows_[i].source.label || rows[i].iconAddress != rows_[i].source.iconAddress) {
      rows_[i] = Make(std::move(rows[i]));
    } else {
      rows_[i].source.status = rows[i].status;
    }
    if (first < 0) first = static_cast<int>(i);
    last = static_cast<int>(i);
  }
  if (first >= 0) emit dataChanged(index(first), index(last));
}

std::string MemberListModel::IdAt(int row) const {
  return row >= 0 && row < rowCount() ? rows_[row].source.id : std::string();
}

int MemberListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant MemberListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[index.row()];
  const int status = row.source.status;
  const bool marked = status >= 1 && status < kStatusCount;
  switch (role) {
    case Qt::DisplayRole:
      return row.label;
    case Qt::AccessibleTextRole:
      // A member without a mark is online: screen readers hear that too.
      return QStringLiteral("%1, %2").arg(row.label, StatusText(marked ? status : 0));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      return marked ? StatusText(status) : QVariant();
    case IdRole:
      return platform::qt::FromCp949(row.source.id);
    case IconSlotRole:
      return row.iconSlot;
    case StatusRole:
      return marked ? status : 0;
    default:
      return {};
  }
}

}  // namespace orvinta::components
