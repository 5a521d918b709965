#pragma once
// The main window's owner-drawn room tab strip. The window keeps which rooms
// exist; the strip shows them, reports a tab the user selects, and asks for a
// room to be closed when its close box is released (tab 0 never asks).
// Texts are code page 949 bytes and are shown as plain text.
#include <QAccessible>
#include <QColor>
#include <QWidget>
#include <string>

#include "client/components/room_tabs/room_tab_strip.h"

namespace orvinta::components {

class CRoomTabCtrl final : public QWidget {
  Q_OBJECT
 public:
  explicit CRoomTabCtrl(QWidget* parent = nullptr);

  // Items, as the window drives them. Selecting by program does not report back.
  int InsertTab(int index, const std::string& text);
  int AddTab(const std::string& text) { return InsertTab(TabCount(), text); }
  void DeleteTab(int index);
  void DeleteAllTabs();
  void SelectTab(int index);
  int SelectedTab() const { return strip_.Selected(); }
  int TabCount() const { return strip_.Count(); }
  void SetTabImage(int index, int image);  // 1 marks news in a background tab
  int TabImage(int index) const { return strip_.Image(index); }
  void SetTabText(int index, const std::string& text);
  std::string TabText(int index) const { return strip_.Text(index); }

  // The strip's own background, behind the rounded corners and after the last tab.
  void SetStripBackground(const QColor& colour);

  const RoomTabStrip& Strip() const { return strip_; }
  // Whether tab i's text is cut with an ellipsis (its tooltip then shows it whole).
  bool IsTextCut(int index) const;

  // As the user does it: tab `index` becomes current and is reported.
  void ChooseTab(int index);
  // As a release on its close box does (tab 0 never asks).
  void AskToClose(int index);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void tabSelected(int index);     // the user made this tab current
  void closeRequested(int index);  // the close box of this tab was released (posted)

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void PaintTab(QPainter& painter, int index) const;
  void PaintScrollButtons(QPainter& painter) const;
  void Scroll(int tabs);
  // Tells screen readers what changed on tab `index`.
  void Announce(QAccessible::Event what, int index);
  QFont TabFont() const;
  QString ShownText(int index) const;

  RoomTabStrip strip_;
  QColor background_{252, 252, 252};
};

}  // namespace orvinta::components
