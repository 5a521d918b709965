#include "client/components/room_tabs/room_tab_strip.h"

#include <algorithm>

namespace orvinta::components {

int RoomTabStrip::Insert(int index, std::string text) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, Item{std::move(text), 0});
  if (selected_ >= index) ++selected_;
  return index;
}

void RoomTabStrip::Delete(int index) {
  if (!Valid(index)) return;
  items_.erase(items_.begin() + index);
  // As with the platform's tab control, deleting the current tab leaves none
  // current; the owner chooses the next one.
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  first_ = std::min(first_, MaxFirstVisible());
}

void RoomTabStrip::Clear() {
  items_.clear();
  selected_ = -1;
  first_ = 0;
}

void RoomTabStrip::Select(int index) {
  if (index != -1 && !Valid(index)) return;
  selected_ = index;
  if (index >= 0) EnsureVisible(index);
}

void RoomTabStrip::SetText(int index, std::string text) {
  if (Valid(index)) items_[static_cast<std::size_t>(index)].text = std::move(text);
}

std::string RoomTabStrip::Text(int index) const {
  return Valid(index) ? items_[static_cast<std::size_t>(index)].text : std::string();
}

void RoomTabStrip::SetImage(int index, int image) {
  if (Valid(index)) items_[static_cast<std::size_t>(index)].image = image;
}

int RoomTabStrip::Image(int index) const { return Valid(index) ? items_[static_cast<std::size_t>(index)].image : -1; }

void RoomTabStrip::SetWidth(int width) {
  width_ = std::max(0, width);
  first_ = std::min(first_, MaxFirstVisible());
  if (selected_ >= 0) EnsureVisible(selected_);
}

bool RoomTabStrip::Overflows() const { return Count() * kMinItemWidth > width_; }

int RoomTabStrip::ItemWidth() const {
  if (Count() == 0) return kItemWidth;
  return std::clamp(width_ / Count(), kMinItemWidth, kItemWidth);
}

int RoomTabStrip::TabsAreaRight() const {
  return Overflows() ? std::max(0, width_ - 2 * kScrollButtonWidth) : width_;
}

int RoomTabStrip::MaxFirstVisible() const {
  const int wholeTabs = std::max(1, TabsAreaRight() / ItemWidth());
  return std::max(0, Count() - wholeTabs);
}

void RoomTabStrip::EnsureVisible(int index) {
  const int wholeTabs = std::max(1, TabsAreaRight() / ItemWidth());
  if (index < first_) first_ = index;
  if (index >= first_ + wholeTabs) first_ = index - wholeTabs + 1;
  first_ = std::clamp(first_, 0, MaxFirstVisible());
}

bool RoomTabStrip::ScrollBy(int tabs) {
  const int next = std::clamp(first_ + tabs, 0, MaxFirstVisible());
  if (next == first_) return false;
  first_ = next;
  return true;
}

bool RoomTabStrip::CanScroll(int direction) const {
  return direction < 0 ? first_ > 0 : first_ < MaxFirstVisible();
}

Rect RoomTabStrip::ScrollButton(int direction) const {
  if (!Overflows()) return {};
  const int left = width_ - (direction < 0 ? 2 : 1) * kScrollButtonWidth;
  return {left, 0, left + kScrollButtonWidth, kItemHeight};
}

Rect RoomTabStrip::ItemRect(int index) const {
  const int left = (index - first_) * ItemWidth();
  return {left, 0, left + ItemWidth(), kItemHeight};
}

Rect RoomTabStrip::DrawnRect(int index) const {
  Rect r = ItemRect(index);
  if (Look(index) != TabLook::Current) ++r.top;
  return r;
}

TabLook RoomTabStrip::Look(int index) const {
  if (index == selected_) return TabLook::Current;
  if (Image(index) == kTabImageMention) return TabLook::Mention;
  return Image(index) == kTabImageActivity ? TabLook::Activity : TabLook::Background;
}

std::optional<CloseIcon> RoomTabStrip::CloseIconOf(int index) const {
  if (index <= 0 || !Valid(index)) return std::nullopt;
  const TabLook look = Look(index);
  return look == TabLook::Activity || look == TabLook::Mention ? CloseIcon::Activity : CloseIcon::Plain;
}

Rect RoomTabStrip::CloseIconRect(int index) const {
  const Rect drawn = DrawnRect(index);
  return {drawn.right - 19, drawn.top + 4, drawn.right - 19 + kCloseIconSize, drawn.top + 4 + kCloseIconSize};
}

Rect RoomTabStrip::CloseBox(int index) const {
  const Rect r = ItemRect(index);
  return {r.right - 16, r.top + 4, r.right - 4, r.bottom - 4};
}

Rect RoomTabStrip::TextRect(int index) const {
  const Rect item = ItemRect(index);
  // Inside the border, and clear of the close box (where its picture's
  // visible square starts too); 2 px right, and 2 lower for background tabs.
  const int right = index > 0 ? CloseBox(index).left - kTextGap : item.right - kTextInset;
  const int down = Look(index) == TabLook::Current ? 0 : 2;
  return {item.left + kTextInset + 2, item.top + down, right, item.bottom + down};
}

bool RoomTabStrip::Visible(int index) const {
  return Valid(index) && index >= first_ && ItemRect(index).left < TabsAreaRight();
}

int RoomTabStrip::TabAt(int x, int y) const {
  if (x >= TabsAreaRight()) return -1;
  for (int i = first_; Visible(i); ++i) {
    if (ItemRect(i).Contains(x, y)) return i;
  }
  return -1;
}

int RoomTabStrip::BoxAt(int x, int y) const {
  const int tab = TabAt(x, y);
  return tab >= 0 && CloseBox(tab).Contains(x, y) ? tab : -1;
}

TabMouseOutcome RoomTabStrip::OnMouseMove(int x, int y) const {
  const int box = BoxAt(x, y);
  if (box < 0) return {};
  return {box > 0, -1, false};
}

TabMouseOutcome RoomTabStrip::OnLeftButtonUp(int x, int y) const {
  const int box = BoxAt(x, y);
  if (box < 0) return {};
  // The waiting room has no close box, so its box area neither points nor closes.
  return {box > 0, box > 0 ? box : -1, false};
}

}  // namespace orvinta::components
