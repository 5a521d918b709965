#include "client/components/config/config_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

#include "client/components/buttons/button_art.h"
#include "client/components/buttons/image_button.h"
#include "client/components/config/cp949_validator.h"
#include "client/components/input/frame_painting.h"
#include "client/components/input/static_title.h"
#include "platform/qt/qt_text.h"

namespace orvinta::config {
namespace {

constexpr int kSideBand = 15;
// Labels stand in line with the section texts, inside the panel.
constexpr int kLabelLeft = 29;
constexpr int kLabelWidth = 100 - 4 - kLabelLeft;
constexpr int kBottomBand = 40;
const QColor kHelpInk(64, 64, 64);
const QColor kLabelInk(77, 139, 84);

QFont DialogFont() {
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(12);
  return font;
}

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& place, const QColor& ink, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(place);
  label->setFont(DialogFont());
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ink);
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  return label;
}

components::CStaticTitle* AddTitle(QWidget* parent, const QString& caption, const QRect& place, const char* name) {
  auto* title = new components::CStaticTitle(parent);
  title->setObjectName(QString::fromLatin1(name));
  title->setGeometry(place);
  title->SetText(caption);
  return title;
}

buttons::CImageButton* AddImageButton(QWidget* parent, int art, const QString& tip, const QRect& place,
                                      const char* name) {
  auto* button = new buttons::CImageButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  button->SetHoverFrame(false, false);
  button->SetBitmaps(art, buttons::ArtTransparentColour(art), 0, QColor());
  button->SetColours({components::frame::kBand, Qt::black, components::frame::kBand, Qt::black,
                      components::frame::kBand, Qt::black});
  button->SetTooltip(tip);
  return button;
}

// The reading page's choices, in its order.
struct ReadingChoice {
  const char* name;
  const char* caption;  // UTF-8
  bool window::ReadingPreferences::*field;
};
constexpr ReadingChoice kReadingChoices[] = {
    {"highlightMentions", "내 이름이 나온 줄 강조", &window::ReadingPreferences::highlightMentions},
    {"notifications", "바탕화면 알림", &window::ReadingPreferences::notifications},
    {"trayIcon", "알림 영역 아이콘", &window::ReadingPreferences::trayIcon},
    {"roomLog", "대화 기록 파일 남기기 (~/.local/share/orvinta/logs)", &window::ReadingPreferences::roomLog},
};

}  // namespace

CConfigDlg::CConfigDlg(ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig,
                       QWidget* parent)
    : QDialog(parent), logic_(values, boxes, std::move(saveConfig)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral(" 환경 설정"));
  setFixedSize(kClientWidth, kClientHeight);
  Build();
}

void CConfigDlg::Open(QPointer<CConfigDlg>& slot, QWidget* mainWindow, const platform::WindowRect& mainRect,
                      ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig) {
  if (slot) return;
  slot = new CConfigDlg(values, boxes, std::move(saveConfig), mainWindow);
  // A dialog with a parent is a window of its own only with the dialog flag, which QDialog sets.
  const platform::WindowRect place = ConfigDlgPlacement(mainRect);
  slot->move(place.left, place.top);
  slot->show();
}

void CConfigDlg::Build() {
  const int w = kClientWidth - 50;
  using components::CStaticTitle;
  AddTitle(this, QStringLiteral("머리말, 꼬리말 설정"), {25, 25, w, 21}, "title1075");
  AddLabel(this, QStringLiteral("머리말/꼬리말은 입력내용의 앞뒤에 항상 붙어 보여"), {29, 54, w, 12}, kHelpInk,
           "help1093");
  AddLabel(this, QStringLiteral("지고 최대 한글10자, 영문20자까지 입력 가능합니다."), {29, 70, w, 12}, kHelpInk,
           "help1094");
  AddLabel(this, QStringLiteral("머리말  ◀"), {kLabelLeft, 95, kLabelWidth, 12}, kLabelInk, "label1078");
  AddLabel(this, QStringLiteral("꼬리말  ◀"), {kLabelLeft, 115, kLabelWidth, 12}, kLabelInk, "label1079");
  AddTitle(this, QStringLiteral("단축키 설정"), {25, 140, w, 21}, "title1076");
  AddLabel(this, QStringLiteral("단축키에 문장을 설정하면 해당 입력키를 누를 때"), {29, 169, w, 12}, kHelpInk,
           "help1096");
  AddLabel(this, QStringLiteral("자동으로 입력됩니다. 자주 쓰는 말을 입력해보세요."), {29, 185, w, 12}, kHelpInk,
           "help1097");

  std::array<QRect, kEditCount> places;
  places[0] = {100, 91, 190, 18};
  places[1] = {100, 111, 190, 18};
  for (int i = 0; i < static_cast<int>(kShortcutCount); ++i) {
    const QString key = i < 9 ? QStringLiteral("F%1  ◁").arg(i + 1) : QStringLiteral("F10 ◁");
    const QByteArray name = "label" + QByteArray::number(1080 + i);
    AddLabel(this, key, {kLabelLeft, 210 + 20 * i, kLabelWidth, 12}, kLabelInk, name.constData());
    places[2 + i] = {100, 206 + 20 * i, 190, 18};
  }
  const EditTexts texts = logic_.Texts();
  for (std::size_t i = 0; i < kEditCount; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(i == 0 ? QStringLiteral("header")
                        : i == 1 ? QStringLiteral("footer")
                                 : QStringLiteral("shortcut%1").arg(i - 1));
    edit->setGeometry(places[i]);
    edit->setFont(DialogFont());
    edit->setTextMargins(1, 0, 1, 0);
    // Shown whole, even beyond the limit (which restricts typing only);
    // bytes the code page cannot read are dropped.
    edit->setText(platform::qt::FromCp949(platform::qt::ToCp949(platform::qt::FromCp949(texts[i]))));
    edit->setValidator(new Cp949Validator(i, edit));
    edits_[i] = edit;
  }

  auto* save = AddImageButton(this, buttons::kArtSave, QStringLiteral("저장하기"), {100, 426, 76, 22}, "saveButton");
  auto* reset =
      AddImageButton(this, buttons::kArtReset, QStringLiteral("설정 초기화"), {180, 426, 76, 22}, "resetButton");
  connect(save, &QAbstractButton::clicked, this, &CConfigDlg::OnSave);
  connect(reset, &QAbstractButton::clicked, this, &CConfigDlg::OnReset);

  // The skin choice is kept and written back, but not offered.
  AddTitle(this, QStringLiteral("스킨 설정"), {}, "title1077")->hide();
  AddLabel(this, QStringLiteral("스킨  ◀"), {}, kLabelInk, "label1090")->hide();
  skin_ = new QComboBox(this);
  skin_->setObjectName(QStringLiteral("skin"));
  skin_->addItems({QStringLiteral("BLUE"), QStringLiteral("GREEN")});
  skin_->setCurrentText(QString::fromStdString(logic_.SkinText()));
  skin_->hide();
}

void CConfigDlg::OfferReadingChoices(const window::ReadingPreferences& current, ReadingChanged changed) {
  reading_ = current;
  readingChanged_ = std::move(changed);
  if (!readingPage_) BuildReadingPage();
  for (std::size_t i = 0; i < readingBoxes_.size(); ++i) {
    const QSignalBlocker quiet(readingBoxes_[i]);
    readingBoxes_[i]->setChecked(reading_.*kReadingChoices[i].field);
  }
  const QSignalBlocker quiet(entryHistory_);
  entryHistory_->setValue(reading_.entryHistoryLines);
}

void CConfigDlg::BuildReadingPage() {
  // What the first page shows now is what comes back when it is turned to again.
  for (QObject* child : children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget && !widget->isHidden()) firstPage_.push_back(widget);
  }
  readingPage_ = new QWidget(this);
  readingPage_->setObjectName(QStringLiteral("readingPage"));
  readingPage_->setGeometry(0, 0, kClientWidth, kClientHeight - kBottomBand);
  const int w = kClientWidth - 50;
  AddTitle(readingPage_, QStringLiteral("읽기 설정"), {25, 25, w, 21}, "titleReading");
  // A style sheet of its own: the window's label style would ink it as a caption.
  AddLabel(readingPage_, QStringLiteral("고르면 바로 적용되고 다음에 실행할 때도 남습니다."), {29, 54, w, 12}, kHelpInk,
           "helpReading")
      ->setStyleSheet(QStringLiteral("color: #404040;"));
  for (std::size_t i = 0; i < readingBoxes_.size(); ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(kReadingChoices[i].caption), readingPage_);
    box->setObjectName(QString::fromLatin1(kReadingChoices[i].name));
    box->setFont(DialogFont());
    box->setGeometry(29, 80 + 26 * static_cast<int>(i), w, 20);
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
      reading_.*kReadingChoices[i].field = on;
      if (readingChanged_) readingChanged_(reading_);
    });
    readingBoxes_[i] = box;
  }
  const int below = 80 + 26 * static_cast<int>(readingBoxes_.size());
  QLabel* historyLabel = AddLabel(readingPage_, QStringLiteral("입장 시 지난 대화"), {29, below + 3, 130, 14},
                                  kHelpInk, "entryHistoryLabel");
  historyLabel->setStyleSheet(QStringLiteral("color: #404040;"));
  entryHistory_ = new QSpinBox(readingPage_);
  entryHistory_->setObjectName(QStringLiteral("entryHistoryLines"));
  entryHistory_->setFont(DialogFont());
  entryHistory_->setRange(0, window::kMaxEntryHistoryLines);
  entryHistory_->setSuffix(QStringLiteral(" 줄"));
  entryHistory_->setGeometry(160, below, 80, 20);
  entryHistory_->setAccessibleName(historyLabel->text());
  historyLabel->setBuddy(entryHistory_);
  connect(entryHistory_, &QSpinBox::valueChanged, this, [this](int lines) {
    reading_.entryHistoryLines = lines;
    if (readingChanged_) readingChanged_(reading_);
  });
  readingPage_->hide();

  pageButton_ = new QToolButton(this);
  pageButton_->setObjectName(QStringLiteral("readingPageButton"));
  pageButton_->setAutoRaise(true);
  pageButton_->setFont(DialogFont());
  pageButton_->setGeometry(kClientWidth - kSideBand - 70, 426, 70, 22);
  connect(pageButton_, &QToolButton::clicked, this, [this] { ShowReadingPage(readingPage_->isHidden()); });
  ShowReadingPage(false);
  pageButton_->show();
}

void CConfigDlg::ShowReadingPage(bool shown) {
  if (!readingPage_) return;
  for (QWidget* widget : firstPage_) widget->setVisible(!shown);
  readingPage_->setVisible(shown);
  pageButton_->setText(shown ? QStringLiteral("◀ 기본 설정") : QStringLiteral("읽기 설정 ▶"));
}

void CConfigDlg::OnSave() {
  EditTexts texts;
  for (std::size_t i = 0; i < kEditCount; ++i) texts[i] = platform::qt::ToCp949(edits_[i]->text());
  logic_.Save(texts, skin_->currentText().toStdString());
  close();
}

void CConfigDlg::OnReset() {
  if (!logic_.Reset()) return;
  for (QLineEdit* edit : edits_) edit->clear();
}

void CConfigDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), components::frame::kBand);
  const QRect panel(kSideBand, kSideBand, width() - 2 * kSideBand, height() - kSideBand - kBottomBand);
  p.fillRect(panel, components::frame::kWhite);
  components::frame::RoundCorners(p, panel, components::frame::kBand, true, true);
}

void CConfigDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();  // Enter does not close the dialog
      return;
    case Qt::Key_Escape:
      event->accept();
      close();  // the dialog's cancel: nothing is saved
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace orvinta::config
