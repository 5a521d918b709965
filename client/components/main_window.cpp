#include "client/components/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTimer>
#include <utility>
#include <algorithm>

#include "client/components/buttons/toolbar_buttons.h"
#include "client/components/colour_picker/qt_settings_store.h"
#include "client/components/config/config_path.h"
#include "client/components/input/input_line_growth.h"
#include "client/components/input/static_input_line.h"
#include "client/components/input/static_line.h"
#include "client/components/main_window_layout.h"
#include "client/components/member_list/member_list_pane.h"
#include "client/components/resize/resize_helper.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "client/components/status_icons.h"
#include "client/components/transcript/transcript_widget.h"
#include "client/components/web_view.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using main_layout::Slot;

const QColor kWindowBackground(0xFC, 0xFC, 0xFC);
constexpr int kFrameSettleMs = 300;
constexpr int kTitlePadding = 6;  // each side, as the style sheet pads it

// Frame pieces of the bands, by the decoration they stand for.
constexpr int kLeftEdgeStyle = 1;
constexpr int kRightEdgeStyle = 2;
constexpr int kGreyStripStyle = 4;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

MainWindow::MainWindow()
    : tabs_(new CRoomTabCtrl(this)),
      title_(new QLabel(this)),
      viewArea_(new QWidget(this)),
      paneArea_(new QWidget(this)),
      navigationArea_(new QWidget(this)),
      toolbar_(new ComposeToolbar(this)),
      input_(new CChatInputEdit(this)),
      inputLine_(*input_) {
  setWindowTitle(QStringLiteral("벨보 오르빈타"));
  setObjectName(QStringLiteral("OrvintaMainWindow"));
  setStyleSheet(QStringLiteral(
      "QWidget#OrvintaMainWindow { background: #FCFCFC; }"
      "QLabel { color: #333333; background: #F3F3F3; }"
      "QWidget#composeToolbar QLabel { background: transparent; }"
      "QLabel#statusLabel { background: #E3E3E3; font-family: '굴림'; font-size: 12px; font-weight: bold; }"
      "QLabel#titleLine { padding: 0px 6px; font-weight: bold; }"));
  // Every control is placed by hand at the designed size; the resize helper
  // then keeps each one on its anchors.
  resize(main_layout::kDesigned.width, main_layout::kDesigned.height);

  tabs_->SetStripBackground(kWindowBackground);
  connect(tabs_, &CRoomTabCtrl::tabSelected, this, [this](int index) {
    if (hooks_.tabSelected) hooks_.tabSelected(index);
  });
  connect(tabs_, &CRoomTabCtrl::closeRequested, this, [this](int index) {
    if (hooks_.tabCloseClicked) hooks_.tabCloseClicked(index);
  });
  Place(tabs_, Slot::Tabs);

  title_->setObjectName(QStringLiteral("titleLine"));
  title_->setTextFormat(Qt::PlainText);  // room titles come from other people
  Place(title_, Slot::Title);

  viewArea_->setObjectName(QStringLiteral("viewArea"));
  paneArea_->setObjectName(QStringLiteral("paneArea"));
  navigationArea_->setObjectName(QStringLiteral("navigationArea"));
  for (QWidget* area : {viewArea_, paneArea_, navigationArea_}) area->hide();
  Place(navigationArea_, Slot::NavigationBar);
  Place(viewArea_, Slot::Views);
  Place(paneArea_, Slot::Pane);

  toolbar_->setObjectName(QStringLiteral("composeToolbar"));
  Place(toolbar_, Slot::Toolbar);
  BuildInputLine();
  BuildStatusRow();
  BuildBands();
  new InputLineGrowth(*input_,
                      {findChild<QWidget*>(QStringLiteral("composerBand")), findChild<QWidget*>(QStringLiteral("inputField"))},
                      {toolbar_});

  resize_ = new CResizeHelper(*this);
  for (const auto& [widget, slot] : placed_) {
    const main_layout::Placement& p = main_layout::PlacementOf(slot);
    resize_->AddAnchor(widget, p.topLeft, p.bottomRight);
  }
  placed_.clear();
  ArrangeTabOrder();
}

MainWindow::~MainWindow() = default;

void MainWindow::Place(QWidget* widget, Slot slot) {
  placed_.emplace_back(widget, slot);
  widget->setGeometry(ToQRect(main_layout::PlacementOf(slot).rect));
}

void MainWindow::BuildInputLine() {
  // The input line sits borderless on the painted rounded field, clear of its right strip.
  auto* field = new CStaticInputLine(this);
  field->setObjectName(QStringLiteral("inputField"));
  Place(field, Slot::InputField);
  input_->setObjectName(QStringLiteral("chatInput"));
  input_->setAccessibleName(QStringLiteral("메세지 입력"));
  input_->setFrameShape(QFrame::NoFrame);
  input_->viewport()->setAutoFillBackground(false);
  input_->setStyleSheet(QStringLiteral("QTextEdit#chatInput { background: transparent; }"));
  Place(input_, Slot::Input);
  field->stackUnder(input_);
}

void MainWindow::BuildBands() {
  const struct {
    Slot slot;
    int style;
    const char* name;
  } bands[] = {{Slot::LeftBand, kLeftEdgeStyle, "leftBand"},
               {Slot::RightBand, kRightEdgeStyle, "rightBand"},
               {Slot::ComposerBand, kGreyStripStyle, "composerBand"}};
  for (const auto& b : bands) {
    auto* band = new CStaticLine(this);
    band->setObjectName(QLatin1String(b.name));
    band->SetStyle(b.style);
    Place(band, b.slot);
    band->lower();  // decoration: behind every control
  }
}

void MainWindow::BuildStatusRow() {
  auto* label = new QLabel(QStringLiteral("내 현재 상태"), this);
  label->setObjectName(QStringLiteral("statusLabel"));
  label->setAlignment(Qt::AlignCenter);
  Place(label, Slot::StatusLabel);
  status_ = new QComboBox(this);
  status_->setObjectName(QStringLiteral("statusCombo"));
  label->setBuddy(status_);  // screen readers hear the box's status labelled by it
  status_->setIconSize(QSize(16, 16));
  for (int i = 0; i < kStatusCount; ++i) status_->addItem(StatusIcon(i), StatusText(i));
  connect(status_, &QComboBox::activated, this, [this](int index) {
    if (hooks_.statusChosen) hooks_.statusChosen(index);
  });
  status_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(status_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (statusMenuHook_) statusMenuHook_(status_->mapToGlobal(at));
  });
  Place(status_, Slot::StatusCombo);
  auto* end = buttons::MakeToolbarButton(buttons::kEndButton, this);
  connect(end, &QAbstractButton::clicked, this, [this] {
    if (hooks_.connectClicked) hooks_.connectClicked();
  });
  Place(end, Slot::EndButton);
  endButton_ = end;
}

void MainWindow::ArrangeTabOrder() {
  std::vector<QWidget*> order{tabs_};
  for (auto* view : findChildren<TranscriptWidget*>(Qt::FindDirectChildrenOnly)) order.push_back(view);
  for (const auto& list : memberLists_) {
    if (list) order.push_back(list);
  }
  for (auto* control : toolbar_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control->focusPolicy() & Qt::TabFocus) order.push_back(control);
  }
  order.insert(order.end(), {input_, status_, endButton_});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

std::vector<QWidget*> MainWindow::Panes() const {
  std::vector<QWidget*> panes;
  for (auto* view : findChildren<TranscriptWidget*>(Qt::FindDirectChildrenOnly)) {
    if (view->isVisible()) panes.push_back(view);
  }
  panes.push_back(input_);
  if (QWidget* list = ShownMemberList()) panes.push_back(list);
  return panes;
}

QWidget* MainWindow::ShownMemberList() const {
  for (const auto& list : memberLists_) {
    if (list && list->isVisible()) return list;
  }
  return nullptr;
}

void MainWindow::MoveBetweenPanes(int direction) {
  const std::vector<QWidget*> panes = Panes();
  const int count = static_cast<int>(panes.size());
  int at = -1;
  for (int i = 0; i < count; ++i) {
    if (panes[static_cast<std::size_t>(i)] == focusWidget() || panes[static_cast<std::size_t>(i)]->isAncestorOf(focusWidget())) at = i;
  }
  // From anywhere else, F6 starts at the first pane and Shift+F6 at the last.
  const int next = at < 0 ? (direction > 0 ? 0 : count - 1) : ((at + direction) % count + count) % count;
  panes[static_cast<std::size_t>(next)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::KeepCustomColoursBesideConfig() {
  const std::string config = config::ConfigPathFor(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  if (config.empty()) return;
  const QString folder = QFileInfo(QFile::decodeName(config.c_str())).absolutePath();
  customColours_ = std::make_unique<QtSettingsStore>(QDir(folder).filePath(QStringLiteral("orvinta.conf")));
  toolbar_->SetColourStore(customColours_.get());
}

void MainWindow::InsertTab(const std::string& text) { tabs_->AddTab(text); }

void MainWindow::DeleteTab(int index) { tabs_->DeleteTab(index); }

void MainWindow::SelectTab(int index) { tabs_->SelectTab(index); }

int MainWindow::SelectedTab() const { return tabs_->SelectedTab(); }

int MainWindow::TabCount() const { return tabs_->TabCount(); }

void MainWindow::SetTabImage(int index, int image) { tabs_->SetTabImage(index, image); }

void MainWindow::FocusTabStrip() { tabs_->setFocus(); }

void MainWindow::RepaintTabArea() {
  update(ToQRect(TabBandRect(width())));
  tabs_->update();
}

void MainWindow::SetTitleText(const std::string& text) {
  titleText_ = text;
  ShowTitle();
}

void MainWindow::ShowTitle() {
  // A title too long for the line is cut with an ellipsis and shown whole in the tooltip.
  title_->ensurePolished();
  const QString whole = platform::qt::FromCp949(titleText_);
  const int room = std::max(0, title_->width() - 2 * kTitlePadding);
  const QString shown = title_->fontMetrics().elidedText(whole, Qt::ElideRight, room);
  title_->setText(shown);
  title_->setToolTip(shown == whole ? QString() : Qt::convertFromPlainText(whole, Qt::WhiteSpaceNoWrap));
}

void MainWindow::PlaceView(platform::HtmlViewRole role, platform::HtmlView& view) {
  auto* web = dynamic_cast<WidgetView*>(&view);
  if (!web || !web->Widget()) return;
  using Role = platform::HtmlViewRole;
  const Slot slot = role == Role::NavigationBar ? Slot::NavigationBar
                    : role == Role::Welcome     ? Slot::Pane
                                                : Slot::Views;
  QWidget* widget = web->Widget();
  Anchor(widget, slot);
  // The navigation bar is always there; the other views are shown by the logic.
  if (role == Role::NavigationBar) widget->show();
}

void MainWindow::PlaceMemberList(platform::MemberListView& view) {
  auto* pane = dynamic_cast<MemberListPane*>(&view);
  if (!pane) return;
  Anchor(pane, Slot::Pane);
  memberLists_.emplace_back(&pane->List());
  ArrangeTabOrder();
}

void MainWindow::PlaceTranscript(QWidget* widget) {
  if (!widget) return;
  widget->hide();
  Anchor(widget, Slot::Views);
  ArrangeTabOrder();
}

void MainWindow::Anchor(QWidget* widget, Slot slot) {
  QWidget* area = slot == Slot::NavigationBar ? navigationArea_ : slot == Slot::Pane ? paneArea_ : viewArea_;
  widget->setParent(this);
  widget->setGeometry(area->geometry());
  const main_layout::Placement& p = main_layout::PlacementOf(slot);
  resize_->AddAnchor(widget, p.topLeft, p.bottomRight);
}

void MainWindow::ReleaseTranscript(QWidget* widget) {
  if (!widget) return;
  resize_->RemoveAnchor(widget);
  widget->hide();
}

void MainWindow::ReleaseView(platform::HtmlView& view) {
  auto* web = dynamic_cast<WidgetView*>(&view);
  if (!web || !web->Widget()) return;
  resize_->RemoveAnchor(web->Widget());
  web->Widget()->hide();
  web->Widget()->setParent(nullptr);
}

void MainWindow::SelectStatus(int index) {
  const QSignalBlocker quiet(status_);
  status_->setCurrentIndex(index);
}

void MainWindow::FlashOnce() { QApplication::alert(this, 1000); }

void MainWindow::Restore() {
  if (isMinimized()) showNormal();
}

void MainWindow::BringToForeground() {
  raise();
  activateWindow();
}

platform::WindowRect MainWindow::GetWindowRect() const {
  // The outer corner: a window put back there gets its frame back there too,
  // whatever the frame's size (placing the client area would put the title
  // bar above it).
  return {pos().x(), pos().y(), width(), height()};
}

platform::WindowRect MainWindow::GetNormalRect() const {
  // Maximised or minimised, the window keeps the rectangle it returns to.
  if (!normalGeometry().isValid()) return GetWindowRect();
  const QRect r = normalGeometry();
  const QPoint frame = geometry().topLeft() - pos();
  return {r.left() - frame.x(), r.top() - frame.y(), r.width(), r.height()};
}

std::vector<platform::WindowRect> MainWindow::ScreenRects() const {
  std::vector<platform::WindowRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    screens.push_back({r.left(), r.top(), r.width(), r.height()});
  }
  return screens;
}

void MainWindow::MoveWindow(const platform::WindowRect& rect) {
  resize(rect.width, rect.height);
  move(rect.left, rect.top);  // the frame's corner, not the client area's
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (std::exchange(shownBefore_, true)) return;
  // The frame's size is known only once the window manager has framed the
  // window, a moment after it is first shown.
  QTimer::singleShot(kFrameSettleMs, this, [this] { KeepFrameInWorkArea(); });
}

void MainWindow::KeepFrameInWorkArea() {
  if (isMaximized() || isFullScreen() || !screen()) return;
  const QRect area = screen()->availableGeometry();
  const QRect frame = frameGeometry();
  // Wholly inside where it fits, else its top-left corner (the title bar) is.
  const int x = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
  const int y = std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height()));
  if (x != frame.left() || y != frame.top()) move(x, y);
}

void MainWindow::CloseWindow() {
  closingByProgram_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closingByProgram_ || !hooks_.closeRequested || hooks_.closeRequested()) {
    event->accept();
    emit closed();
  } else {
    event->ignore();
  }
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kWindowBackground);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Window managers keep the window at its designed size or more; where none
  // does, it asks for that size back once, and never argues further.
  const QSize least = minimumSize();
  const auto below = [&least](QSize s) {
    return s.isValid() && (s.width() < least.width() || s.height() < least.height());
  };
  if (below(size()) && !below(event->oldSize())) {
    QMetaObject::invokeMethod(this, [this] { resize(size().expandedTo(minimumSize())); }, Qt::QueuedConnection);
  }
  ShowTitle();  // the helper has already placed the title line
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && hooks_.minimisedChanged) hooks_.minimisedChanged(isMinimized());
  QWidget::changeEvent(event);
  // Back in the window, typing goes to the input line.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && input_) input_->setFocus();
}

}  // namespace orvinta::components
