#pragma once
// The logic window over Qt Widgets: a child widget holding a read-only,
// multi-line log box with a vertical scroll bar.
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include "webcontrol/main_dialog_view.h"

namespace orvinta::quendel::qt {

// The widget itself: its parent may delete it before the logic lets go of it.
class MainDialogWidget final : public QWidget {
 public:
  MainDialogWidget(QWidget* parent, MainDialogViewListener& listener);
  QPlainTextEdit* Log() const { return log_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  MainDialogViewListener& listener_;
  QPlainTextEdit* log_;
};

class QtMainDialogView final : public MainDialogView {
 public:
  QtMainDialogView(QWidget* parent, MainDialogViewListener& listener);
  ~QtMainDialogView() override;

  void Show() override;
  void MoveWindow(const com::Rect& bounds) override;
  std::string LogText() const override { return text_; }
  void SetLogText(const std::string& text) override;
  void ScrollLogToEnd() override;
  void MoveLogBox(const com::Rect& bounds) override;

 private:
  QPointer<MainDialogWidget> widget_;
  std::string text_;  // the box's text in the system's encoding, as last set
};

class QtMainDialogViewFactory final : public MainDialogViewFactory {
 public:
  // `parent` is the QWidget the host gives the control; nullptr makes a top-level window.
  std::unique_ptr<MainDialogView> Create(com::NativeWindow parent, MainDialogViewListener& listener) override;
};

}  // namespace orvinta::quendel::qt
