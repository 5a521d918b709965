#include "client/components/notifier/taskbar_notifier.h"

#include <utility>

namespace orvinta::components {
namespace {

constexpr int kOwnerMargin = 5;

}  // namespace

CTaskbarNotifier::CTaskbarNotifier(NotifierSurface& surface, platform::Timers& timers, int tickMs)
    : surface_(surface), timers_(timers), tickMs_(tickMs) {}

CTaskbarNotifier::~CTaskbarNotifier() { KillTimers(); }

void CTaskbarNotifier::Create(AnswerHandler owner) { owner_ = std::move(owner); }

void CTaskbarNotifier::ReleaseOwner() {
  owner_ = nullptr;
  hidden_ = nullptr;
}

bool CTaskbarNotifier::LoadSkin(int skinId) {
  const auto size = surface_.SkinSize(skinId);
  if (!size || size->width <= 0 || size->height <= 0) return false;
  skinId_ = skinId;
  skin_ = *size;
  return true;
}

void CTaskbarNotifier::SetFonts(std::string face, int tenths, int textStyle, int hoverStyle) {
  textFont_ = {std::move(face), tenths > 0 ? tenths : 0, textStyle & 7};
  hoverFont_ = {textFont_.face, textFont_.tenths, hoverStyle & 7};
}

void CTaskbarNotifier::SetTextFormat(std::uint32_t flags) { format_ = flags; }

void CTaskbarNotifier::SetTextColor(Rgb text, Rgb hover) {
  textColour_ = text;
  hoverColour_ = hover;
}

Size CTaskbarNotifier::SkinOrDrawn() const {
  // A skin that did not load still leaves the popup the drawn skins' size.
  return skin_.height > 0 && skin_.width > 0 ? skin_ : kSkinSize;
}

bool CTaskbarNotifier::Show(std::string text, int kind) {
  if (kind < 1 || kind > 3 || state_ != NotifierState::Hidden) return false;
  ++shown_;
  text_ = std::move(text);
  kind_ = static_cast<NotifierKind>(kind);
  answered_ = !HasButtons();
  pointerOver_ = leftHot_ = rightHot_ = false;
  if (skinId_ == 0) skinId_ = kind_ == NotifierKind::Invitation ? kInvitationSkin : kVoteSkin;

  const Size skin = SkinOrDrawn();
  appear_ = PlanSlide(kAppearMs, tickMs_, skin.height);
  disappear_ = PlanSlide(kDisappearMs, tickMs_, skin.height);

  const Rect owner = surface_.AnchorRect();
  frame_.left = owner.right - skin.width - kOwnerMargin;
  frame_.right = frame_.left + skin.width;
  frame_.bottom = owner.bottom - kOwnerMargin;
  frame_.top = frame_.bottom;
  state_ = NotifierState::Appearing;
  Place();
  surface_.ShowInactive();
  timers_.Set(kAppearTimer, appear_.intervalMs);
  return true;
}

bool CTaskbarNotifier::Announce(const NotifierSettings& s, NotifierData data, std::string text, NotifierKind kind) {
  if (state_ != NotifierState::Hidden) return false;
  if (!LoadSkin(s.skinId)) skinId_ = s.skinId;  // painted as the drawn skin of that number, if any
  textFont_ = s.textFont;
  hoverFont_ = s.hoverFont;
  SetTextFormat(s.format);
  SetTextColor(s.textColour, s.hoverColour);
  SetTextArea(s.textArea);
  SetCloseArea(s.closeArea);
  SetLeftButtonArea(s.leftButton);
  SetRightButtonArea(s.rightButton);
  SetData(std::move(data));
  return Show(std::move(text), static_cast<int>(kind));
}

void CTaskbarNotifier::Place() { surface_.Place(frame_); }

void CTaskbarNotifier::KillTimers() {
  timers_.Kill(kAppearTimer);
  timers_.Kill(kStayTimer);
  timers_.Kill(kDisappearTimer);
}

void CTaskbarNotifier::OnTimer(int id) {
  const int skinHeight = SkinOrDrawn().height;
  if (id == kAppearTimer && state_ == NotifierState::Appearing) {
    const int height = StepToward(frame_.Height(), skinHeight, appear_.stepPixels);
    frame_.top = frame_.bottom - height;
    Place();
    if (height >= skinHeight) EnterWaiting();
  } else if (id == kStayTimer && state_ == NotifierState::Waiting) {
    StartDisappearing();
  } else if (id == kDisappearTimer && state_ == NotifierState::Disappearing) {
    const int height = StepToward(frame_.Height(), 0, disappear_.stepPixels);
    frame_.top = frame_.bottom - height;
    if (height > 0) {
      Place();
    } else {
      Hide();
    }
  } else {
    timers_.Kill(id);  // a tick left over from a phase that has ended
  }
}

void CTaskbarNotifier::EnterWaiting() {
  timers_.Kill(kAppearTimer);
  state_ = NotifierState::Waiting;
  // A pointer already resting on the popup holds it, as a hover would.
  if (!pointerOver_) timers_.Set(kStayTimer, kStayMs);
}

void CTaskbarNotifier::StartDisappearing() {
  KillTimers();
  state_ = NotifierState::Disappearing;
  timers_.Set(kDisappearTimer, disappear_.intervalMs);
}

void CTaskbarNotifier::Hide() {
  const bool wasShown = state_ != NotifierState::Hidden;
  KillTimers();
  state_ = NotifierState::Hidden;
  frame_ = {};
  pointerOver_ = leftHot_ = rightHot_ = false;
  if (wasShown) {
    surface_.Place(frame_);
    surface_.Hide();
  }
  if (!answered_) Answer(false);
  // Last: the handler may show the next announcement on this very popup.
  if (wasShown && hidden_) {
    auto hidden = hidden_;
    hidden();
  }
}

void CTaskbarNotifier::Answer(bool accepted) {
  if (answered_) return;
  answered_ = true;
  if (!HasButtons() || !owner_) return;
  auto owner = owner_;  // the handler may release the owner while it runs
  owner(NotifierAnswer{kind_, accepted, data_});
}

void CTaskbarNotifier::OnPointerMove(Point p) {
  if (state_ == NotifierState::Hidden) return;
  if (state_ == NotifierState::Waiting) timers_.Kill(kStayTimer);
  const bool left = leftButton_.Contains(p);
  const bool right = rightButton_.Contains(p);
  const bool changed = !pointerOver_ || left != leftHot_ || right != rightHot_;
  pointerOver_ = true;
  leftHot_ = left;
  rightHot_ = right;
  if (changed) surface_.Repaint();
}

void CTaskbarNotifier::OnPointerLeave() {
  if (state_ == NotifierState::Hidden) return;
  pointerOver_ = leftHot_ = rightHot_ = false;
  surface_.Repaint();
  if (state_ == NotifierState::Waiting) timers_.Set(kStayTimer, kStayMs);
}

void CTaskbarNotifier::OnLeftButtonUp(Point p) {
  if (state_ == NotifierState::Hidden) return;
  if (closeArea_.ContainsInclusive(p)) {
    StartDisappearing();  // the "no" follows once it has slid away
  } else if (leftButton_.Contains(p) || rightButton_.Contains(p)) {
    AnswerAndGo(leftButton_.Contains(p));
  }
}

bool CTaskbarNotifier::AnswerFromKeyboard(bool accepted) {
  if (!AwaitsAnswer()) return false;
  AnswerAndGo(accepted);
  return true;
}

void CTaskbarNotifier::AnswerAndGo(bool accepted) {
  const unsigned announcement = shown_;
  Answer(accepted);
  // The owner may have hidden this popup, or shown another on it, meanwhile.
  if (shown_ == announcement && state_ != NotifierState::Hidden) StartDisappearing();
}

bool CTaskbarNotifier::WantsHandCursor(Point p) const {
  return textArea_.Contains(p) || leftButton_.Contains(p) || rightButton_.Contains(p);
}

NotifierScene CTaskbarNotifier::Scene() const {
  NotifierScene scene;
  scene.skinId = skinId_;
  scene.size = {frame_.Width(), frame_.Height()};
  scene.lines = LayOutLines(text_, textArea_);
  scene.placement = PlacementOf(format_);
  scene.textFont = textFont_;
  scene.hoverFont = hoverFont_;
  scene.textColour = textColour_;
  scene.hoverColour = hoverColour_;
  if (HasButtons()) {
    scene.buttons.push_back({leftButton_, std::string(LeftLabel(kind_)), pointerOver_ && leftHot_});
    scene.buttons.push_back({rightButton_, std::string(RightLabel(kind_)), pointerOver_ && rightHot_});
  }
  return scene;
}

}  // namespace orvinta::components
