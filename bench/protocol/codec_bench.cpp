// Encode and receive-side throughput, each beside a plain baseline measured
// in the same run: run with `build-bench/bench/protocol/codec_bench`.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "protocol/codec.h"
#include "protocol/frame_reader.h"
#include "protocol/wire_commands.h"
#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"

namespace {

using namespace orvinta;

std::string Body(std::size_t size) {
  std::string body;
  for (std::size_t i = 0; i < size; ++i) body.push_back(static_cast<char>('a' + i % 26));
  return body;
}

void BM_Encode(benchmark::State& state) {
  const std::string body = Body(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(protocol::Encode(body));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_Encode)->Arg(64)->Arg(400)->Arg(4998);

// Baseline: a byte loop that also writes two hex digits per byte.
void BM_HexCopyBaseline(benchmark::State& state) {
  const std::string body = Body(static_cast<std::size_t>(state.range(0)));
  static constexpr char kHex[] = "0123456789abcdef";
  for (auto _ : state) {
    std::string out(body.size() * 2, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) {
      const auto b = static_cast<unsigned char>(body[i]);
      out[2 * i] = kHex[b >> 4];
      out[2 * i + 1] = kHex[b & 15];
    }
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_HexCopyBaseline)->Arg(64)->Arg(400)->Arg(4998);

void BM_Memcpy(benchmark::State& state) {
  const std::string body = Body(static_cast<std::size_t>(state.range(0)));
  std::string out(body.size(), '\0');
  for (auto _ : state) {
    std::memcpy(out.data(), body.data(), body.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_Memcpy)->Arg(64)->Arg(400)->Arg(4998);

// Many small frames in one buffer, as a busy room delivers them.
std::string ManyFrames(int count) {
  std::string stream;
  for (int i = 0; i < count; ++i) {
    stream += protocol::MakeFrame(i % 4 == 0 ? wire::kPing : wire::kUserInfoToAll, i % 4 == 0 ? "" : "member" + std::to_string(i) + "/room/3");
  }
  return stream;
}

void BM_Reassembly(benchmark::State& state) {
  const std::string stream = ManyFrames(1000);
  for (auto _ : state) {
    protocol::FrameReader reader;
    reader.Append(stream);
    int frames = 0;
    while (auto frame = reader.Next()) frames++;
    benchmark::DoNotOptimize(frames);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Reassembly);

// Reassembly and dispatch through the real session, fed in 1023-byte reads.
void BM_ReassemblyAndDispatch(benchmark::State& state) {
  const std::string stream = ManyFrames(1000);
  LaunchSettings settings;
  settings.UserId = "bench";
  fakes::FakeChatWindow window;
  fakes::FakeTransportFactory transports;
  fakes::FakeMessageBoxes boxes;
  protocol::CZupChatMain session(window, settings, {transports, boxes, nullptr});
  session.Connect("127.0.0.1:1");
  for (auto _ : state) {
    for (std::size_t at = 0; at < stream.size(); at += 1023) {
      session.PreParseMessage(std::string_view(stream).substr(at, 1023));
    }
    window.calls.clear();
    transports.last()->ClearSent();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ReassemblyAndDispatch);

// Baseline: scanning the same bytes once.
void BM_ScanBaseline(benchmark::State& state) {
  const std::string stream = ManyFrames(1000);
  for (auto _ : state) {
    std::size_t sum = 0;
    for (char c : stream) sum += static_cast<unsigned char>(c);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ScanBaseline);

}  // namespace

BENCHMARK_MAIN();
