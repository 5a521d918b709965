#pragma once
// Shares the window's one Timers port among the window and its views: each
// owner gets a block of ids of its own and sees only its local ids.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/timers.h"

namespace orvinta::window {

// Ids of block 0 are the local ids themselves (the main window's 1-4); block
// k > 0 uses kViewTimerBase + k * kTimerBlockSize + local.
inline constexpr int kTimerBlockSize = 8;
inline constexpr int kViewTimerBase = 1000;

class TimerRouter;

// One owner's timers; destroying the block kills them.
class TimerBlock {
 public:
  ~TimerBlock();
  TimerBlock(const TimerBlock&) = delete;
  TimerBlock& operator=(const TimerBlock&) = delete;
  // local is 1 .. kTimerBlockSize - 1.
  void Set(int local, int milliseconds);
  void Kill(int local);
  bool IsRunning(int local) const;
  std::int64_t NowMs() const;  // the timers' own clock

 private:
  friend class TimerRouter;
  TimerBlock(TimerRouter& router, int index) : router_(router), index_(index) {}
  int GlobalId(int local) const;
  TimerRouter& router_;
  const int index_;
};

class TimerRouter {
 public:
  using Handler = std::function<void(int local)>;
  explicit TimerRouter(platform::Timers& timers);
  ~TimerRouter();
  TimerRouter(const TimerRouter&) = delete;
  TimerRouter& operator=(const TimerRouter&) = delete;

  // Block 0 for the main window, later blocks for views.
  std::unique_ptr<TimerBlock> OpenBlock(Handler handler);

 private:
  friend class TimerBlock;
  void Dispatch(int id);
  void Close(int index);

  platform::Timers& timers_;
  std::map<int, Handler> handlers_;
  int nextIndex_ = 0;
};

// One block as a Timers port of its own, for an owner that takes the port (the session).
class BlockTimers final : public platform::Timers {
 public:
  explicit BlockTimers(TimerRouter& router)
      : block_(router.OpenBlock([this](int local) {
          if (handler_) handler_(local);
        })) {}
  void SetHandler(Expiry handler) override { handler_ = std::move(handler); }
  void Set(int id, int milliseconds) override { block_->Set(id, milliseconds); }
  void Kill(int id) override { block_->Kill(id); }
  bool IsRunning(int id) const override { return block_->IsRunning(id); }
  std::int64_t NowMs() const override { return block_->NowMs(); }

 private:
  Expiry handler_;
  std::unique_ptr<TimerBlock> block_;
};

}  // namespace orvinta::window
