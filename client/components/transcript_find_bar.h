#pragma once
// The find bar over a transcript: Ctrl+F opens it, typing finds in every
// line of the room, Enter or F3 goes to the next match back in time,
// Shift+Enter or Shift+F3 forward, Escape closes it.
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace orvinta::components {

class TranscriptFindBar final : public QWidget {
  Q_OBJECT
 public:
  // What the bar asks of the transcript; each answers (position, count),
  // now or later. An empty query ends the finding.
  using Answer = std::function<void(int position, int count)>;
  struct Finder {
    std::function<void(const QString& query, Answer)> find;
    std::function<void(int step, Answer)> step;
  };

  // A child of the transcript's view, over its top right corner.
  TranscriptFindBar(QWidget* view, Finder finder);

  void Open();
  void Close();
  QString CountText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Find();
  void Step(int step);
  void Show(int position, int count);
  Answer Shower();
  void Place();

  Finder finder_;
  QLineEdit* edit_;
  QLabel* count_;
  QPointer<QWidget> focusBefore_;  // where the keyboard was when the bar opened
};

}  // namespace orvinta::components
