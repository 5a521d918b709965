#pragma once
// The desktop side of saving a transcript: Qt's save-as dialog and the
// user's documents folder.
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "client/window/saving/saving_ports.h"

namespace orvinta::config {

// "Text(*.x)|*.x|All(*.*)|*.*||" as Qt's filter list.
QStringList QtNameFilters(const std::string& filters);

class QtSaveDesktop final : public saving::SaveDesktop {
 public:
  explicit QtSaveDesktop(QWidget* parent) : parent_(parent) {}
  // A chosen name that code page 949 cannot hold counts as cancelled: the
  // folder could not be remembered.
  std::optional<std::string> RunSaveDialog(const saving::SaveDialogRequest& request) override;
  std::string DocumentsFolder() override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvinta::config
