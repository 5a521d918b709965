#include "client/components/config/config_dlg_logic.h"

#include <algorithm>

#include "platform/cp949.h"

namespace orvinta::config {
namespace {

constexpr char kResetQuestion[] = "현재 설정을 초기화 하시겠습니까?  ";
constexpr char kCaption[] = "벨보 미렐";
constexpr char kGreen[] = "GREEN";
constexpr char kBlue[] = "BLUE";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string* Field(ConfigValues& values, std::size_t edit) {
  if (edit == 0) return &values.Header;
  if (edit == 1) return &values.Footer;
  return &values.Shortcut[edit - 2];
}

}  // namespace

std::size_t EditLimit(std::size_t edit) { return edit < 2 ? 20 : 50; }

bool FitsEdit(std::size_t edit, std::string_view utf8) {
  // Longer UTF-8 can still fit (three bytes become two), but never by more than half.
  if (utf8.size() > EditLimit(edit) * 2) return false;
  const auto bytes = platform::Utf8ToCp949(utf8);
  return bytes && bytes->size() <= EditLimit(edit);
}

bool AcceptsEdit(std::size_t edit, std::string_view before, std::string_view after) {
  if (FitsEdit(edit, after)) return true;
  const auto was = platform::Utf8ToCp949(before);
  const auto is = platform::Utf8ToCp949(after);
  return was && is && is->size() <= was->size();
}

std::string TrimCp949(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return std::string(text);
}

platform::WindowRect ConfigDlgPlacement(const platform::WindowRect& main) {
  const int x = main.left + main.width / 2 - kDialogWidth / 2;
  const int y = main.top + main.height / 2 - 229;
  return {std::max(0, x), std::max(0, y), kDialogWidth, kDialogHeight};
}

ConfigDlgLogic::ConfigDlgLogic(ConfigValues& values, platform::MessageBoxes& boxes, std::function<void()> saveConfig)
    : values_(values), boxes_(boxes), saveConfig_(std::move(saveConfig)) {}

EditTexts ConfigDlgLogic::Texts() const {
  EditTexts texts;
  for (std::size_t i = 0; i < kEditCount; ++i) texts[i] = *Field(values_, i);
  return texts;
}

std::string ConfigDlgLogic::SkinText() const { return values_.Skin == 1 ? kGreen : kBlue; }

void ConfigDlgLogic::Save(const EditTexts& texts, std::string_view skinText) {
  for (std::size_t i = 0; i < kEditCount; ++i) *Field(values_, i) = TrimCp949(texts[i]);
  values_.Skin = skinText == kGreen ? 1 : 0;
  if (saveConfig_) saveConfig_();
}

bool ConfigDlgLogic::Reset() {
  if (boxes_.Show(kResetQuestion, kCaption, platform::BoxButtons::YesNo) != platform::BoxAnswer::Yes) return false;
  for (std::size_t i = 0; i < kEditCount; ++i) Field(values_, i)->clear();
  if (saveConfig_) saveConfig_();
  return true;
}

}  // namespace orvinta::config
