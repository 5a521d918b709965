#include "client/window/timer_router.h"

namespace orvinta::window {

TimerBlock::~TimerBlock() { router_.Close(index_); }

int TimerBlock::GlobalId(int local) const {
  return index_ == 0 ? local : kViewTimerBase + index_ * kTimerBlockSize + local;
}

void TimerBlock::Set(int local, int milliseconds) {
  if (local > 0 && local < kTimerBlockSize) router_.timers_.Set(GlobalId(local), milliseconds);
}

void TimerBlock::Kill(int local) {
  if (local > 0 && local < kTimerBlockSize) router_.timers_.Kill(GlobalId(local));
}

bool TimerBlock::IsRunning(int local) const { return router_.timers_.IsRunning(GlobalId(local)); }

std::int64_t TimerBlock::NowMs() const { return router_.timers_.NowMs(); }

TimerRouter::TimerRouter(platform::Timers& timers) : timers_(timers) {
  timers_.SetHandler([this](int id) { Dispatch(id); });
}

TimerRouter::~TimerRouter() { timers_.SetHandler(nullptr); }

std::unique_ptr<TimerBlock> TimerRouter::OpenBlock(Handler handler) {
  const int index = nextIndex_++;
  handlers_[index] = std::move(handler);
  return std::unique_ptr<TimerBlock>(new TimerBlock(*this, index));
}

void TimerRouter::Dispatch(int id) {
  int index = 0, local = id;
  if (id >= kViewTimerBase + kTimerBlockSize) {
    index = (id - kViewTimerBase) / kTimerBlockSize;
    local = (id - kViewTimerBase) % kTimerBlockSize;
  } else if (id >= kTimerBlockSize) {
    timers_.Kill(id);  // no owner: never set by us
    return;
  }
  const auto it = handlers_.find(index);
  if (it == handlers_.end()) {
    timers_.Kill(id);
    return;
  }
  const Handler handler = it->second;  // the handler may close its own block
  handler(local);
}

void TimerRouter::Close(int index) {
  for (int local = 1; local < kTimerBlockSize; ++local) {
    timers_.Kill(index == 0 ? local : kViewTimerBase + index * kTimerBlockSize + local);
  }
  handlers_.erase(index);
}

}  // namespace orvinta::window
