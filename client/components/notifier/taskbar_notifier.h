#pragma once
// The popup that slides up out of the owner's bottom-right corner, waits, and
// slides away; for an invitation or a vote it answers its owner once.
#include <functional>
#include <string>

#include "client/components/notifier/notifier_answer.h"
#include "client/components/notifier/notifier_layout.h"
#include "client/components/notifier/notifier_surface.h"
#include "client/components/notifier/slide_plan.h"
#include "platform/timers.h"

namespace orvinta::components {

enum class NotifierState { Hidden, Appearing, Waiting, Disappearing };

class CTaskbarNotifier {
 public:
  // One timer per phase. The owner of the Timers routes these ids to OnTimer.
  static constexpr int kAppearTimer = 1;
  static constexpr int kStayTimer = 2;
  static constexpr int kDisappearTimer = 3;
  static constexpr int kAppearMs = 500;
  static constexpr int kStayMs = 10000;
  static constexpr int kDisappearMs = 200;

  CTaskbarNotifier(NotifierSurface& surface, platform::Timers& timers, int tickMs = kNtTickMs);
  // Stops the timers; answers nobody.
  ~CTaskbarNotifier();
  CTaskbarNotifier(const CTaskbarNotifier&) = delete;
  CTaskbarNotifier& operator=(const CTaskbarNotifier&) = delete;

  // Set-up, in this order for each announcement.
  void Create(AnswerHandler owner);
  bool LoadSkin(int skinId);
  void SetFonts(std::string face, int tenths, int textStyle, int hoverStyle);
  void SetTextFormat(std::uint32_t flags);
  void SetTextColor(Rgb text, Rgb hover = Rgb::FromHex(0xFF0000));
  void SetTextArea(const Rect& area) { textArea_ = area; }
  void SetCloseArea(const Rect& area) { closeArea_ = area; }
  void SetLeftButtonArea(const Rect& area) { leftButton_ = area; }
  void SetRightButtonArea(const Rect& area) { rightButton_ = area; }
  void SetData(NotifierData data) { data_ = std::move(data); }
  // Kind 1 to 3; anything else, or a popup still on screen, does nothing (false).
  bool Show(std::string text, int kind);
  // Applies a whole set of settings in the order above (not Create).
  bool Announce(const NotifierSettings& settings, NotifierData data, std::string text, NotifierKind kind);

  // Takes the popup away at once; an unanswered invitation or vote answers "no".
  void Hide();
  // The owner goes away: no answer and no notice reaches it from now on.
  void ReleaseOwner();
  // Told after the popup has become hidden and any answer has been sent.
  void SetHiddenHandler(std::function<void()> handler) { hidden_ = std::move(handler); }

  void OnTimer(int id);
  void OnPointerMove(Point p);
  void OnPointerLeave();
  void OnLeftButtonUp(Point p);
  bool WantsHandCursor(Point p) const;
  // The keyboard's answer, as a click on the left (accepted) or right button
  // would give it; false when no invitation or vote on show waits for one.
  bool AnswerFromKeyboard(bool accepted);
  bool AwaitsAnswer() const { return state_ != NotifierState::Hidden && HasButtons() && !answered_; }
  NotifierKind kind() const { return kind_; }

  NotifierState state() const { return state_; }
  Rect frame() const { return frame_; }
  bool answered() const { return answered_; }
  const std::string& text() const { return text_; }
  SlidePlan appearPlan() const { return appear_; }
  SlidePlan disappearPlan() const { return disappear_; }
  NotifierScene Scene() const;

 private:
  Size SkinOrDrawn() const;
  void Place();
  void StartDisappearing();
  void EnterWaiting();
  void Answer(bool accepted);
  void AnswerAndGo(bool accepted);
  bool HasButtons() const { return kind_ == NotifierKind::Invitation || kind_ == NotifierKind::Vote; }
  void KillTimers();

  NotifierSurface& surface_;
  platform::Timers& timers_;
  const int tickMs_;
  AnswerHandler owner_;
  std::function<void()> hidden_;

  int skinId_ = 0;
  Size skin_;
  FontSpec textFont_;
  FontSpec hoverFont_{{}, 0, kFontUnderline};
  std::uint32_t format_ = 0;
  Rgb textColour_ = Rgb::FromHex(0x333333);
  Rgb hoverColour_ = Rgb::FromHex(0xFF0000);
  Rect textArea_, closeArea_, leftButton_, rightButton_;
  NotifierData data_;
  std::string text_;
  NotifierKind kind_ = NotifierKind::Notice;

  NotifierState state_ = NotifierState::Hidden;
  Rect frame_;
  SlidePlan appear_, disappear_;
  bool pointerOver_ = false;
  bool leftHot_ = false;
  bool rightHot_ = false;
  bool answered_ = true;  // nothing to answer before the first Show
  unsigned shown_ = 0;    // counts Show calls, so a click outlives no announcement
};

}  // namespace orvinta::components
