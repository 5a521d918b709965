#include "client/components/input/compose_toolbar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "client/components/colour_picker/colour_picker_xp.h"
#include "client/components/buttons/toolbar_buttons.h"
#include "client/components/input/emoticon_picker.h"
#include "client/compose/compose_tables.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using platform::qt::FromCp949;

QLabel* Label(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setStyleSheet(QStringLiteral("color: #333333;"));
  return label;
}

}  // namespace

ComposeToolbar::ComposeToolbar(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(3);

  face_ = new QComboBox(this);
  face_->setObjectName(QStringLiteral("faceCombo"));
  for (std::string_view name : compose::FaceNames()) face_->addItem(FromCp949(name));
  connect(face_, &QComboBox::activated, this, [this](int index) {
    emit faceChosen(compose::FaceCode(compose::FaceNames()[static_cast<std::size_t>(index)]));
  });

  size_ = new QComboBox(this);
  size_->setObjectName(QStringLiteral("sizeCombo"));
  for (std::string_view entry : compose::SizeEntries()) size_->addItem(FromCp949(entry));
  size_->setCurrentText(QString::number(compose::kDefaultSize));
  connect(size_, &QComboBox::activated, this, [this](int index) {
    emit sizeChosen(compose::SizeFromEntry(compose::SizeEntries()[static_cast<std::size_t>(index)]));
  });

  // Each label names the box after it (on Linux, as the box's "labelled by").
  for (auto [text, box] : {std::pair{QStringLiteral("글꼴"), face_}, std::pair{QStringLiteral("크기"), size_}}) {
    QLabel* label = Label(text, this);
    label->setBuddy(box);
    row->addWidget(label);
    row->addWidget(box);
  }
  row->addWidget(Label(QStringLiteral("색상"), this));
  textColour_ = AddColourButton(kTextColourId, QStringLiteral("textColourButton"), QStringLiteral("글자색 선택"),
                                kAutomaticTextColour);
  row->addWidget(textColour_);
  row->addWidget(Label(QStringLiteral("배경"), this));
  backColour_ = AddColourButton(kBackColourId, QStringLiteral("backColourButton"), QStringLiteral("배경색 선택"),
                                kAutomaticBackColour);
  row->addWidget(backColour_);

  bold_ = AddStyleButton(buttons::kBoldButton);
  italic_ = AddStyleButton(buttons::kItalicButton);
  underline_ = AddStyleButton(buttons::kUnderlineButton);
  for (buttons::CImageButton* button : {bold_, italic_, underline_}) row->addWidget(button);

  emoticon_ = buttons::MakeToolbarButton(buttons::kEmoticonButton, this);
  connect(emoticon_, &QAbstractButton::clicked, this, &ComposeToolbar::OpenEmoticonPicker);
  row->addWidget(emoticon_);

  // The transcript's commands: clear, the settings dialog and saving, as image buttons.
  clearScreen_ = AddImageButton(kClearScreenId, &ComposeToolbar::clearScreenClicked);
  shortcutSettings_ = AddImageButton(kShortcutSettingsId, &ComposeToolbar::shortcutSettingsClicked);
  saveTranscript_ = AddImageButton(kSaveTranscriptId, &ComposeToolbar::saveTranscriptClicked);
  for (QAbstractButton* button : {clearScreen_, shortcutSettings_, saveTranscript_}) row->addWidget(button);

  row->addStretch(1);
  send_ = buttons::MakeToolbarButton(buttons::kSendButton, this);
  connect(send_, &QAbstractButton::clicked, this, &ComposeToolbar::sendClicked);
  row->addWidget(send_);

  ShowState(platform::ToolbarState{std::string(compose::FaceName(compose::kDefaultFace)),
                                   std::to_string(compose::kDefaultSize), compose::kDefaultTextColour,
                                   compose::kDefaultBackColour});
}

CColourPickerXP* ComposeToolbar::AddColourButton(int controlId, const QString& name, const QString& tip,
                                                 std::uint32_t automatic) {
  auto* button = new CColourPickerXP(controlId, this);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  button->SetDefaultColor(automatic);
  button->SetColor(automatic);
  // The window acts on the drop-down and the accepted choice only; previews
  // while tracking and cancellations restore themselves in the button.
  connect(button, &CColourPickerXP::dropDown, this, [this](std::uint32_t, int id) { emit colourDroppedDown(id); });
  connect(button, &CColourPickerXP::selEndOk, this, [this, button, automatic](std::uint32_t colour, int id) {
    if (colour == kAutomaticColour) colour = automatic;
    button->SetColor(colour);
    emit colourChosen(colour, id);
  });
  return button;
}

void ComposeToolbar::SetColourStore(SettingsStore* store) {
  textColour_->SetSettingsStore(store);
  backColour_->SetSettingsStore(store);
}

QAbstractButton* ComposeToolbar::AddImageButton(int controlId, void (ComposeToolbar::*clicked)()) {
  QAbstractButton* button = buttons::MakeToolbarButton(controlId, this);
  button->setProperty("controlId", controlId);
  connect(button, &QAbstractButton::clicked, this, clicked);
  return button;
}

buttons::CImageButton* ComposeToolbar::AddStyleButton(int controlId) {
  buttons::CImageButton* button = buttons::MakeToolbarButton(controlId, this);
  // The button has toggled itself by the time this runs.
  connect(button, &QAbstractButton::clicked, this, &ComposeToolbar::ReportStyle);
  return button;
}

void ComposeToolbar::ReportStyle() {
  int bits = 0;
  if (bold_->IsChecked()) bits |= compose::kStyleBold;
  if (italic_->IsChecked()) bits |= compose::kStyleItalic;
  if (underline_->IsChecked()) bits |= compose::kStyleUnderline;
  emit styleChanged(bits);
}

void ComposeToolbar::OpenEmoticonPicker() {
  auto* picker = new EmoticonPicker(this);
  connect(picker, &EmoticonPicker::chosen, this, &ComposeToolbar::emoticonChosen);
  picker->Open(QRect(emoticon_->mapToGlobal(QPoint(0, 0)), emoticon_->size()));
}

void ComposeToolbar::ShowState(const platform::ToolbarState& state) {
  const QSignalBlocker blockFace(face_), blockSize(size_), blockBold(bold_), blockItalic(italic_),
      blockUnderline(underline_), blockText(textColour_), blockBack(backColour_);
  face_->setCurrentIndex(compose::FaceCode(state.faceName) - 1);
  if (const int entry = size_->findText(FromCp949(state.sizeText)); entry >= 0) size_->setCurrentIndex(entry);
  textColour_->SetColor(state.textColour);
  backColour_->SetColor(state.backColour);
  bold_->SetChecked(state.bold);
  italic_->SetChecked(state.italic);
  underline_->SetChecked(state.underline);
}

platform::ToolbarState ComposeToolbar::State() const {
  platform::ToolbarState state;
  state.faceName = std::string(compose::FaceNames()[static_cast<std::size_t>(std::max(0, face_->currentIndex()))]);
  state.sizeText = platform::qt::ToCp949(size_->currentText());
  state.textColour = textColour_->GetColor();
  state.backColour = backColour_->GetColor();
  state.bold = bold_->IsChecked();
  state.italic = italic_->IsChecked();
  state.underline = underline_->IsChecked();
  return state;
}

}  // namespace orvinta::components
