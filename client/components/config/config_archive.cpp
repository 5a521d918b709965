#include "client/components/config/config_archive.h"

#include "platform/cp949.h"
#include "text/text_util.h"

namespace orvinta::config {
namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;

void AppendLittleEndian(std::string& out, std::uint64_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void ConfigWriter::WriteInt32(std::int32_t value) {
  AppendLittleEndian(out_, static_cast<std::uint32_t>(value), 4);
}

void ConfigWriter::WriteLength(std::uint64_t length) {
  if (length < kByteEscape) {
    AppendLittleEndian(out_, length, 1);
    return;
  }
  AppendLittleEndian(out_, kByteEscape, 1);
  // 0xFFFE marks a wide string and 0xFFFF escapes, so the word stops below both.
  if (length < kWideMarker) {
    AppendLittleEndian(out_, length, 2);
    return;
  }
  AppendLittleEndian(out_, kWordEscape, 2);
  if (length < kDwordEscape) {
    AppendLittleEndian(out_, length, 4);
    return;
  }
  AppendLittleEndian(out_, kDwordEscape, 4);
  AppendLittleEndian(out_, length, 8);
}

void ConfigWriter::WriteString(std::string_view bytes) {
  WriteLength(bytes.size());
  out_.append(bytes);
}

bool ConfigReader::Take(std::size_t count, std::string_view& bytes) {
  if (failed_ || count > in_.size() - pos_) {
    failed_ = true;
    return false;
  }
  bytes = in_.substr(pos_, count);
  pos_ += count;
  return true;
}

bool ConfigReader::ReadUnsigned(std::size_t size, std::uint64_t& value) {
  std::string_view bytes;
  if (!Take(size, bytes)) return false;
  value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return true;
}

bool ConfigReader::ReadLength(std::uint64_t& length, bool& wide) {
  wide = false;
  std::uint64_t byte = 0;
  std::uint64_t word = 0;
  if (!ReadUnsigned(1, byte)) return false;
  if (byte < kByteEscape) return length = byte, true;
  if (!ReadUnsigned(2, word)) return false;
  if (word == kWideMarker) {
    // The length of a wide string follows in the same tiers, once.
    wide = true;
    if (!ReadUnsigned(1, byte)) return false;
    if (byte < kByteEscape) return length = byte, true;
    if (!ReadUnsigned(2, word)) return false;
  }
  if (word < kWordEscape) return length = word, true;
  std::uint64_t dword = 0;
  if (!ReadUnsigned(4, dword)) return false;
  if (dword < kDwordEscape) return length = dword, true;
  return ReadUnsigned(8, length);
}

bool ConfigReader::ReadInt32(std::int32_t& value) {
  std::uint64_t raw = 0;
  if (!ReadUnsigned(4, raw)) return false;
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
  return true;
}

bool ConfigReader::ReadString(std::string& value) {
  std::uint64_t length = 0;
  bool wide = false;
  if (!ReadLength(length, wide)) return false;
  const std::size_t left = in_.size() - pos_;
  const std::uint64_t unitSize = wide ? 2 : 1;
  if (length > left / unitSize) {
    failed_ = true;
    return false;
  }
  std::string_view bytes;
  if (!Take(static_cast<std::size_t>(length * unitSize), bytes)) return false;
  value = wide ? Utf16LeToCp949(bytes) : std::string(bytes);
  return true;
}

std::string Utf16LeToCp949(std::string_view units) {
  const auto unit = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(units[2 * i]) |
                                 static_cast<unsigned char>(units[2 * i + 1]) << 8);
  };
  // Code points first, unpaired surrogates already '?'.
  const std::size_t count = units.size() / 2;
  std::u32string points;
  points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      points.push_back(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      points.push_back(u >= 0xD800 && u <= 0xDFFF ? U'?' : static_cast<char32_t>(u));
    }
  }
  // One conversion for the whole text; character by character only when
  // something in it is missing from the code page.
  std::string utf8;
  for (char32_t c : points) text::AppendUtf8(utf8, c);
  if (auto whole = platform::Utf8ToCp949(utf8)) return *whole;
  std::string out;
  for (char32_t c : points) {
    std::string one;
    text::AppendUtf8(one, c);
    out += platform::Utf8ToCp949(one).value_or("?");
  }
  return out;
}

}  // namespace orvinta::config
