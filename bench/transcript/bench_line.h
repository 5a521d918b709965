#pragma once
// The transcript benchmarks' chat line number n: a third of them bold, an
// emoticon keyword at the end, the same CP949 text in every benchmark.
#include <string>

#include "client/compose/chat_line.h"
#include "platform/cp949.h"

namespace orvinta::bench {

inline compose::ChatLine BenchLine(int n, const std::string& extra = {}) {
  compose::ChatLine line;
  if (n % 3 == 0) line.style.push_back('B');
  line.textColour = "1F5FBF";
  line.size = "10";
  line.face = platform::FromLocalText("굴림");
  line.icon = std::to_string(1001 + n % 50);
  line.nick = platform::FromLocalText("오르빈봇");
  line.text = platform::FromLocalText("안녕하세요, 벤치마크 줄 번호 ");
  line.text.append(std::to_string(n)).append(platform::FromLocalText(" /미소")).append(extra);
  return line;
}

}  // namespace orvinta::bench
