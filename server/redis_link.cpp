#include "server/redis_link.h"

#include <sys/epoll.h>

#include <algorithm>

namespace orvinta::server {
namespace {

constexpr Millis kConnectTimeout = 2000;
constexpr Millis kFirstBackoff = 250;
// Short enough that traffic between nodes resumes within seconds of Redis's return.
constexpr Millis kMaxBackoff = 2000;
// A Redis that takes this long over any answer is taken for gone (a machine or
// a network that vanished without a word leaves the socket open for minutes).
constexpr Millis kAnswerTimeout = 3000;

RedisLink* LinkOf(const redisAsyncContext* ac) { return static_cast<RedisLink*>(ac->data); }

}  // namespace

RedisLink::RedisLink(EventLoop& loop, const Clock& clock, RedisAddress address, std::string password)
    : loop_(loop), clock_(clock), address_(std::move(address)), password_(std::move(password)) {
  beforeWait_ = loop_.BeforeWait([this] {
    if (!writeDue_) return -1;
    const Millis now = clock_.Now();
    if (now - lastWrite_ < gather_) return static_cast<int>(gather_ - (now - lastWrite_));
    lastWrite_ = now;
    WriteNow();
    return -1;
  });
}

RedisLink::~RedisLink() {
  loop_.RemoveBeforeWait(beforeWait_);
  closing_ = true;
  if (context_ != nullptr) redisAsyncFree(context_);  // pending replies are dropped unheard
}

void RedisLink::Tick() {
  if (closing_) return;
  const Millis now = clock_.Now();
  if (refused_) {
    refused_ = false;
    Restart("Redis refused the password (AUTH)");
    return;
  }
  if (context_ == nullptr) {
    if (now >= nextAttempt_) Connect();
    return;
  }
  if (!up_ && now - connectStarted_ >= kConnectTimeout) {
    redisAsyncFree(context_);  // not connected: no callback runs, Cleanup forgets it
    Lost("connecting timed out");
  } else if (up_ && outstanding_ > 0 && now - owingSince_ >= kAnswerTimeout) {
    Restart("no answer for " + std::to_string(kAnswerTimeout / 1000) + " s");
  }
}

void RedisLink::Restart(std::string why) {
  if (context_ == nullptr || closing_) return;
  // Every pending reply is answered with nothing, then the disconnect callback runs.
  redisAsyncFree(context_);
  Lost(std::move(why));
}

void RedisLink::Connect() {
  connectStarted_ = clock_.Now();
  redisAsyncContext* ac = redisAsyncConnect(address_.host.c_str(), address_.port);
  if (ac == nullptr || ac->err) {
    const std::string why = ac ? ac->errstr : "out of memory";
    if (ac != nullptr) redisAsyncFree(ac);
    Lost(why);
    return;
  }
  ac->data = this;
  ac->ev.data = this;
  ac->ev.addRead = AddRead;
  ac->ev.delRead = DelRead;
  ac->ev.addWrite = AddWrite;
  ac->ev.delWrite = DelWrite;
  ac->ev.cleanup = Cleanup;
  context_ = ac;
  interest_ = 0;
  outstanding_ = 0;
  token_ = loop_.Add(ac->c.fd, 0, [this](std::uint32_t events) { OnEvents(events); });
  if (token_ == 0) {
    redisAsyncFree(ac);
    Lost("cannot watch the socket");
    return;
  }
  // Setting the callback asks for the first write event, which tells that the connect is done.
  redisAsyncSetConnectCallback(ac, OnConnect);
  redisAsyncSetDisconnectCallback(ac, OnDisconnect);
}

void RedisLink::Lost(std::string why) {
  up_ = false;
  lastError_ = std::move(why);
  backoff_ = std::clamp<Millis>(backoff_ * 2, kFirstBackoff, kMaxBackoff);
  nextAttempt_ = clock_.Now() + backoff_;
}

void RedisLink::OnEvents(std::uint32_t events) {
  redisAsyncContext* ac = context_;
  if (ac == nullptr) return;
  // Either call may end the context (Cleanup then clears context_).
  if (events & (EPOLLIN | EPOLLERR | EPOLLHUP)) redisAsyncHandleRead(ac);
  if (context_ == ac && (events & EPOLLOUT)) WriteNow();
}

void RedisLink::WriteNow() {
  writeDue_ = false;
  if (context_ == nullptr) return;
  writing_ = true;
  redisAsyncHandleWrite(context_);  // may end the context (Cleanup clears context_)
  writing_ = false;
}

void RedisLink::SetInterest(std::uint32_t add, std::uint32_t remove) {
  const std::uint32_t wanted = (interest_ | add) & ~remove;
  if (wanted == interest_ || token_ == 0) return;
  interest_ = wanted;
  loop_.Modify(token_, wanted);
}

void RedisLink::AddRead(void* data) { static_cast<RedisLink*>(data)->SetInterest(EPOLLIN, 0); }
void RedisLink::DelRead(void* data) { static_cast<RedisLink*>(data)->SetInterest(0, EPOLLIN); }
void RedisLink::AddWrite(void* data) {
  auto* link = static_cast<RedisLink*>(data);
  // A connect in progress, or a socket that took only part, waits for EPOLLOUT;
  // otherwise the turn's commands go out in one write at its end.
  if (link->writing_ || link->context_ == nullptr || !(link->context_->c.flags & REDIS_CONNECTED)) {
    link->SetInterest(EPOLLOUT, 0);
  } else {
    link->writeDue_ = true;
  }
}

void RedisLink::DelWrite(void* data) {
  auto* link = static_cast<RedisLink*>(data);
  link->writeDue_ = false;
  link->SetInterest(0, EPOLLOUT);
}

void RedisLink::Cleanup(void* data) {
  auto* link = static_cast<RedisLink*>(data);
  if (link->token_ != 0) link->loop_.Remove(link->token_);
  link->token_ = 0;
  link->interest_ = 0;
  link->writeDue_ = false;
  link->context_ = nullptr;
  link->up_ = false;
}

void RedisLink::OnConnect(const redisAsyncContext* ac, int status) {
  RedisLink* link = LinkOf(ac);
  if (status != REDIS_OK) {
    link->Lost(ac->errstr);  // hiredis frees the context after this
    return;
  }
  link->backoff_ = 0;
  if (link->password_.empty()) {
    link->Ready();
    return;
  }
  // Nothing is sent, and the link is not up, until Redis has taken the
  // password; a refusal ends the link in the next Tick (outside hiredis's callback).
  link->up_ = true;
  link->Command({"AUTH", link->password_}, [link](const redisReply* reply) {
    if (reply == nullptr) return;
    if (reply->type == REDIS_REPLY_ERROR) {
      link->refused_ = true;
    } else {
      link->Ready();
    }
  });
  link->up_ = false;
}

void RedisLink::Ready() {
  if (everUp_) ++reconnects_;
  everUp_ = true;
  up_ = true;
  lastError_.clear();
  if (onUp_) onUp_();
}

void RedisLink::OnDisconnect(const redisAsyncContext* ac, int status) {
  RedisLink* link = LinkOf(ac);
  if (link->closing_) return;
  link->Lost(status == REDIS_OK ? "closed" : ac->errstr);
}

void RedisLink::OnReply(redisAsyncContext* ac, void* reply, void* privdata) {
  auto* pending = static_cast<Reply*>(privdata);
  RedisLink* link = LinkOf(ac);
  if (link->outstanding_ > 0 && --link->outstanding_ > 0) link->owingSince_ = link->clock_.Now();
  if (reply == nullptr) link->up_ = false;  // the link is going: nothing more may be sent on it
  if (pending == nullptr) return;
  if (!link->closing_ && *pending) (*pending)(static_cast<const redisReply*>(reply));
  delete pending;
}

void RedisLink::OnPushed(redisAsyncContext* ac, void* reply, void*) {
  RedisLink* link = LinkOf(ac);
  if (reply == nullptr || link->closing_ || !link->onPush_) return;
  link->onPush_(static_cast<const redisReply*>(reply));
}

namespace {

struct Argv {
  explicit Argv(const std::vector<std::string_view>& args) {
    for (std::string_view a : args) {
      pointers.push_back(a.data());
      lengths.push_back(a.size());
    }
  }
  std::vector<const char*> pointers;
  std::vector<std::size_t> lengths;
};

}  // namespace

bool RedisLink::Command(const std::vector<std::string_view>& args, Reply reply) {
  if (!up_ || context_ == nullptr) {
    if (reply) reply(nullptr);
    return false;
  }
  Argv argv(args);
  // No callback object for a command whose answer nobody reads (a PUBLISH).
  auto* pending = reply ? new Reply(std::move(reply)) : nullptr;
  if (redisAsyncCommandArgv(context_, OnReply, pending, static_cast<int>(args.size()), argv.pointers.data(),
                            argv.lengths.data()) != REDIS_OK) {
    if (pending != nullptr) {
      const Reply failed = std::move(*pending);
      delete pending;
      failed(nullptr);
    }
    return false;
  }
  if (outstanding_++ == 0) owingSince_ = clock_.Now();
  return true;
}

bool RedisLink::Subscription(const std::vector<std::string_view>& args) {
  if (!up_ || context_ == nullptr) return false;
  Argv argv(args);
  return redisAsyncCommandArgv(context_, OnPushed, this, static_cast<int>(args.size()), argv.pointers.data(),
                               argv.lengths.data()) == REDIS_OK;
}

}  // namespace orvinta::server
