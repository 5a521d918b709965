#pragma once
// The rows of the member list, kept compact: the id, the shown label, the
// slot of the shared picture and the status. A new list that keeps the same
// members in the same order only reports the rows that changed.
#include <QAbstractListModel>
#include <QString>
#include <string>
#include <vector>

#include "platform/member_list_view.h"

namespace orvinta::components {

class MemberListModel final : public QAbstractListModel {
  Q_OBJECT
 public:
  enum Role { IdRole = Qt::UserRole + 1, IconSlotRole, StatusRole };

  using QAbstractListModel::QAbstractListModel;

  void SetRows(std::vector<platform::MemberRow> rows);
  // The member id of a row (code page 949), "" for none.
  std::string IdAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  struct Row {
    platform::MemberRow source;  // as handed over, to tell what changed
    QString label;
    int iconSlot = -1;
  };
  Row Make(platform::MemberRow source) const;

  std::vector<Row> rows_;
};

}  // namespace orvinta::components
