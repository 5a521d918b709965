#include "client/components/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "client/components/input/static_input_line.h"
#include "client/components/status_icons.h"
#include "client/components/web_view.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

constexpr int kGnbHeight = 28;
constexpr QSize kMinimumWindowSize(platform::kMinWindowWidth, platform::kMinWindowHeight);
constexpr int kRightPaneWidth = 190;
constexpr QSize kTabSize(120, 25);

QIcon TabIcon(bool active) {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(active ? QColor(0xFA, 0x8A, 0x12) : QColor(0xBB, 0xBB, 0xBB));
  painter.drawEllipse(2, 2, 8, 8);
  return QIcon(pixmap);
}

QGridLayout* Cell(QWidget* owner) {
  auto* grid = new QGridLayout(owner);
  grid->setContentsMargins(0, 0, 0, 0);
  return grid;
}

}  // namespace

MainWindow::MainWindow()
    : tabs_(new QTabBar(this)),
      title_(new QLabel(this)),
      toolbar_(new ComposeToolbar(this)),
      input_(new CChatInputEdit(this)),
      inputLine_(*input_) {
  setWindowTitle(QStringLiteral("벨보 오르빈타"));
  setObjectName(QStringLiteral("OrvintaMainWindow"));
  setMinimumSize(kMinimumWindowSize);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral(
      "QWidget#OrvintaMainWindow { background: #FCFCFC; }"
      "QLabel { color: #333333; background: #F3F3F3; }"
      "QLabel#statusLabel { background: #E3E3E3; font-family: '굴림'; font-size: 12px; font-weight: bold; }"
      "QLabel#titleLine { padding: 3px 6px; font-weight: bold; }"
      "QTabBar::tab { width: 120px; height: 25px; }"));

  auto* top = new QWidget(this);
  top->setFixedHeight(kGnbHeight);
  topBar_ = Cell(top);

  tabs_->setObjectName(QStringLiteral("roomTabs"));
  tabs_->setExpanding(false);
  tabs_->setTabsClosable(true);
  tabs_->setIconSize(QSize(12, 12));
  tabs_->setElideMode(Qt::ElideRight);
  tabs_->setUsesScrollButtons(true);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (hooks_.tabSelected) hooks_.tabSelected(index);
  });
  connect(tabs_, &QTabBar::tabCloseRequested, this, [this](int index) {
    if (hooks_.tabCloseClicked) hooks_.tabCloseClicked(index);
  });

  title_->setObjectName(QStringLiteral("titleLine"));
  title_->setTextFormat(Qt::PlainText);  // room titles come from other people

  auto* views = new QWidget(this);
  viewArea_ = Cell(views);
  auto* right = new QWidget(this);
  right->setFixedWidth(kRightPaneWidth);
  rightPane_ = Cell(right);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(4);
  middle->addWidget(views, 1);
  middle->addWidget(right);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(3);
  layout->addWidget(top);
  layout->addWidget(tabs_);
  layout->addWidget(title_);
  layout->addLayout(middle, 1);
  layout->addWidget(BuildComposer());
  layout->addWidget(BuildStatusBar());
  resize(kMinimumWindowSize);
}

QWidget* MainWindow::BuildComposer() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 2, 0, 0);
  column->setSpacing(2);
  column->addWidget(toolbar_);
  column->addWidget(BuildInputFrame());
  return box;
}

QWidget* MainWindow::BuildInputFrame() {
  // The input line sits borderless on the painted rounded field, clear of its
  // right strip; a thin line sets the field off from the window.
  auto* border = new QWidget(this);
  border->setObjectName(QStringLiteral("inputBorder"));
  border->setStyleSheet(QStringLiteral("QWidget#inputBorder { border: 1px solid #D4D4D4; }"));
  border->setAttribute(Qt::WA_StyledBackground);
  border->setFixedHeight(46);
  auto* frame = new QHBoxLayout(border);
  frame->setContentsMargins(1, 1, 1, 1);
  auto* field = new CStaticInputLine(border);
  frame->addWidget(field);
  auto* inset = new QHBoxLayout(field);
  inset->setContentsMargins(4, 2, kInputStripWidth + 2, 2);
  input_->setObjectName(QStringLiteral("chatInput"));
  input_->setFrameShape(QFrame::NoFrame);
  input_->viewport()->setAutoFillBackground(false);
  input_->setStyleSheet(QStringLiteral("QTextEdit#chatInput { background: transparent; }"));
  inset->addWidget(input_);
  return border;
}

QWidget* MainWindow::BuildStatusBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("내 현재 상태"), bar);
  label->setObjectName(QStringLiteral("statusLabel"));
  status_ = new QComboBox(bar);
  status_->setObjectName(QStringLiteral("statusCombo"));
  status_->setIconSize(QSize(16, 16));
  for (int i = 0; i < kStatusCount; ++i) status_->addItem(StatusIcon(i), StatusText(i));
  connect(status_, &QComboBox::activated, this, [this](int index) {
    if (hooks_.statusChosen) hooks_.statusChosen(index);
  });
  auto* end = new QPushButton(QStringLiteral("대화종료"), bar);
  end->setObjectName(QStringLiteral("connectButton"));
  end->setToolTip(QStringLiteral("대화를 종료합니다"));
  connect(end, &QPushButton::clicked, this, [this] {
    if (hooks_.connectClicked) hooks_.connectClicked();
  });
  row->addWidget(label);
  row->addWidget(status_);
  row->addStretch(1);
  row->addWidget(end);
  return bar;
}

void MainWindow::InsertTab(const std::string& text) {
  const QSignalBlocker quiet(tabs_);
  const QString shown = platform::qt::FromCp949(text);
  // Room titles are other people's text: an "&" in one is a character, not a mnemonic.
  QString literal = shown;
  const int index = tabs_->addTab(TabIcon(false), literal.replace(QLatin1Char('&'), QStringLiteral("&&")));
  tabs_->setTabToolTip(index, shown);
  // The waiting room cannot be closed.
  if (index == 0) tabs_->setTabButton(0, QTabBar::RightSide, nullptr);
}

void MainWindow::DeleteTab(int index) {
  const QSignalBlocker quiet(tabs_);
  tabs_->removeTab(index);
}

void MainWindow::SelectTab(int index) {
  const QSignalBlocker quiet(tabs_);
  tabs_->setCurrentIndex(index);
}

void MainWindow::SetTabImage(int index, int image) { tabs_->setTabIcon(index, TabIcon(image == 1)); }

void MainWindow::SetTitleText(const std::string& text) { title_->setText(platform::qt::FromCp949(text)); }

void MainWindow::PlaceView(platform::HtmlViewRole role, platform::HtmlView& view) {
  auto* web = dynamic_cast<WidgetView*>(&view);
  if (!web || !web->Widget()) return;
  using Role = platform::HtmlViewRole;
  QGridLayout* target = role == Role::NavigationBar                    ? topBar_
                        : role == Role::UserList || role == Role::Welcome ? rightPane_
                                                                          : viewArea_;
  target->addWidget(web->Widget(), 0, 0);
  // The navigation bar is always there; the other views are shown by the logic.
  if (role == Role::NavigationBar) web->Widget()->show();
}

void MainWindow::ReleaseView(platform::HtmlView& view) {
  auto* web = dynamic_cast<WidgetView*>(&view);
  if (!web || !web->Widget()) return;
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
  const QRect r = geometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

void MainWindow::MoveWindow(const platform::WindowRect& rect) { setGeometry(rect.left, rect.top, rect.width, rect.height); }

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

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && hooks_.minimisedChanged) hooks_.minimisedChanged(isMinimized());
  QWidget::changeEvent(event);
}

}  // namespace orvinta::components
