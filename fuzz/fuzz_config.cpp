// Feeds arbitrary bytes to the Orvinta.cfg reader, and to the cleaning of a
// room title into a file name, which come from files and from other people.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "client/components/config/config.h"
#include "client/window/saving/default_file_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvinta;
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Whatever was read is written back and read again unchanged.
  config::ConfigValues values;
  config::LoadConfig(input, values);
  const std::string stored = config::StoreConfig(values);
  config::ConfigValues again;
  config::LoadConfig(stored, again);
  if (!(again == values)) __builtin_trap();

  const std::tm minute{};
  const std::string name = saving::DefaultSaveName(input, minute);
  if (name.size() > saving::kMaxTitleBytes + 32) __builtin_trap();
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') __builtin_trap();
  }
  if (name.front() == '.') __builtin_trap();
  return 0;
}
