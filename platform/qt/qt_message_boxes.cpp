#include "platform/qt/qt_message_boxes.h"

#include <QDebug>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

namespace {

// Unattended runs (tests, the scripted demo) log the box and take its first answer.
bool Unattended(const std::string& text, const std::string& caption) {
  if (!qEnvironmentVariableIsSet("ORVINTA_UNATTENDED")) return false;
  qWarning().noquote() << "message box:" << FromCp949(caption) << "|" << FromCp949(text);
  return true;
}

BoxAnswer FirstAnswer(BoxButtons buttons) { return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes; }

BoxAnswer AnswerOf(BoxButtons buttons, int result) {
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return result == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

QMessageBox* MakeBox(const std::string& text, const std::string& caption, BoxButtons buttons, QWidget* parent) {
  auto* box = new QMessageBox(buttons == BoxButtons::Ok ? QMessageBox::Information : QMessageBox::Question,
                              FromCp949(caption), FromCp949(text),
                              buttons == BoxButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No, parent);
  box->setTextFormat(Qt::PlainText);  // texts may carry values from the server
  box->setObjectName("orvintaMessageBox");
  return box;
}

}  // namespace

BoxAnswer QtMessageBoxes::Show(const std::string& text, const std::string& caption, BoxButtons buttons) {
  if (Unattended(text, caption)) return FirstAnswer(buttons);
  std::unique_ptr<QMessageBox> box(MakeBox(text, caption, buttons, parent_));
  return AnswerOf(buttons, box->exec());
}

void QtMessageBoxes::Open(const std::string& text, const std::string& caption, BoxButtons buttons,
                          Answered answered) {
  if (Unattended(text, caption)) {
    // Still after the caller has returned, as a real box would answer.
    QTimer::singleShot(0, [answered = std::move(answered), buttons] {
      if (answered) answered(FirstAnswer(buttons));
    });
    return;
  }
  QMessageBox* box = MakeBox(text, caption, buttons, parent_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, box, [answered = std::move(answered), buttons](int result) {
    if (answered) answered(AnswerOf(buttons, result));
  });
  box->open();
}

}  // namespace orvinta::platform::qt
