#include "platform/qt/qt_message_boxes.h"

#include <QDebug>
#include <QMessageBox>

#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

BoxAnswer QtMessageBoxes::Show(const std::string& text, const std::string& caption, BoxButtons buttons) {
  // Unattended runs (tests, the scripted demo) log the box and take its first answer.
  if (qEnvironmentVariableIsSet("ORVINTA_UNATTENDED")) {
    qWarning().noquote() << "message box:" << FromCp949(caption) << "|" << FromCp949(text);
    return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
  }
  QMessageBox box(buttons == BoxButtons::Ok ? QMessageBox::Information : QMessageBox::Question, FromCp949(caption),
                  FromCp949(text), buttons == BoxButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setTextFormat(Qt::PlainText);  // texts may carry values from the server
  box.setObjectName("orvintaMessageBox");
  const int answer = box.exec();
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace orvinta::platform::qt
