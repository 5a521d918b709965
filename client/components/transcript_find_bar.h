#pragma once
// The find bar over a transcript: Ctrl+F opens it, typing finds in every
// line of the room, Enter or F3 goes to the next match back in time,
// Shift+Enter or Shift+F3 forward, Escape closes it.
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QWebEnginePage;

namespace orvinta::components {

class TranscriptFindBar final : public QWidget {
  Q_OBJECT
 public:
  // A child of the transcript's view, over its top right corner.
  TranscriptFindBar(QWidget* view, QWebEnginePage* page);

  void Open();
  void Close();
  QString CountText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Find();
  void Step(int step);
  void Run(const QString& script);
  void Place();

  QWebEnginePage* page_;
  QLineEdit* edit_;
  QLabel* count_;
  QPointer<QWidget> focusBefore_;  // where the keyboard was when the bar opened
};

}  // namespace orvinta::components
