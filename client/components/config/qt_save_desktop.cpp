#include "client/components/config/qt_save_desktop.h"

#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

#include "platform/cp949.h"
#include "platform/qt/qt_text.h"

namespace orvinta::config {
namespace {

// Paths cross as the file system's bytes, whatever characters they hold.
QString LocalName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string SystemName(const QString& local) { return QFile::encodeName(local).toStdString(); }

}  // namespace

QStringList QtNameFilters(const std::string& filters) {
  const QStringList parts = QString::fromStdString(filters).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& text = parts[i];
    const QString& pattern = parts[i + 1];
    if (text.isEmpty() || pattern.isEmpty()) break;
    out << (text.contains(QLatin1Char('(') + pattern + QLatin1Char(')')) ? text
                                                                          : text + QStringLiteral(" (") + pattern + ")");
  }
  return out;
}

std::optional<std::string> QtSaveDesktop::RunSaveDialog(const saving::SaveDialogRequest& request) {
  QFileDialog dialog(parent_, platform::qt::FromCp949(request.caption), LocalName(request.folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(QtNameFilters(request.filters));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
  dialog.selectFile(LocalName(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return SystemName(dialog.selectedFiles().front());
}

std::string QtSaveDesktop::DocumentsFolder() {
  return SystemName(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

}  // namespace orvinta::config
