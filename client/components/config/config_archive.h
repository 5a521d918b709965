#pragma once
// The byte layout of Orvinta.cfg: little-endian 32-bit numbers and strings
// behind a length prefix of one, three, seven or fifteen bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvinta::config {

class ConfigWriter {
 public:
  void WriteInt32(std::int32_t value);
  // Always a narrow string: the bytes as they are.
  void WriteString(std::string_view bytes);
  const std::string& Bytes() const { return out_; }
  // One name for both directions, so the field order is written once.
  void Field(std::int32_t value) { WriteInt32(value); }
  void Field(std::string_view bytes) { WriteString(bytes); }

 private:
  void WriteLength(std::uint64_t length);
  std::string out_;
};

// Reads from bytes that may end early or hold anything. A failed read leaves
// its target untouched and every later read fails too.
class ConfigReader {
 public:
  explicit ConfigReader(std::string_view bytes) : in_(bytes) {}
  bool ReadInt32(std::int32_t& value);
  // Accepts narrow strings and wide (UTF-16) ones; wide text arrives as code
  // page 949, with '?' for what it cannot hold. A length beyond the bytes
  // left fails without reserving anything.
  bool ReadString(std::string& value);
  bool Failed() const { return failed_; }
  void Field(std::int32_t& value) { ReadInt32(value); }
  void Field(std::string& value) { ReadString(value); }

 private:
  bool Take(std::size_t count, std::string_view& bytes);
  bool ReadUnsigned(std::size_t size, std::uint64_t& value);
  bool ReadLength(std::uint64_t& length, bool& wide);
  std::string_view in_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

// UTF-16LE code units to code page 949: unpaired surrogates and characters
// the code page lacks become '?'.
std::string Utf16LeToCp949(std::string_view units);

}  // namespace orvinta::config
