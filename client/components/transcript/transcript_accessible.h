#pragma once
// A transcript view to screen readers: read-only, many-line text made of the
// lines on screen, each as plain text (a chat line as "nick ▶ text"), with
// the new-lines bar as a button while it shows.
#include <QAccessibleWidget>

namespace orvinta::components {

class TranscriptWidget;

class TranscriptAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TranscriptAccessible(TranscriptWidget* view);
  // Makes transcript views answer with this interface (once for the program).
  static void Install();

  ~TranscriptAccessible() override;
  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::State state() const override;
  // The new-lines bar, while it shows, is a button inside the view.
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override;
  int characterCount() const override { return static_cast<int>(Text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override;

 private:
  QString Text() const;
  mutable QAccessible::Id bar_ = 0;
  TranscriptWidget* View() const;
};

}  // namespace orvinta::components
