#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_picker_state.h"
#include "client/components/colour_picker/custom_colours.h"
#include "client/components/colour_picker/picker_layout.h"

namespace orvinta::components {
namespace {

using Notices = std::vector<std::pair<int, std::uint32_t>>;

TEST(ColourPalette, FortyNamedColoursInOrder) {
  const auto palette = Palette();
  ASSERT_EQ(palette.size(), 40u);
  EXPECT_EQ(palette[0].name, "Black");
  EXPECT_EQ(palette[1].colour, Rgb(165, 42, 0));
  EXPECT_EQ(palette[9].name, "Orange");
  EXPECT_EQ(palette[9].colour, 0x2068FFu);  // 0x00BBGGRR
  EXPECT_EQ(palette[35].name, "Pale green ");
  EXPECT_EQ(palette[37].colour, Rgb(104, 131, 139));
  EXPECT_EQ(palette[39].name, "White");
  for (std::size_t i = 0; i < palette.size(); ++i) {
    EXPECT_EQ(PaletteIndexOf(palette[i].colour), static_cast<int>(i)) << palette[i].name;
  }
  EXPECT_EQ(PaletteIndexOf(0x123456), -1);
}

struct LayoutCase {
  const char* name;
  int automaticWidth, moreWidth;
  Size popup;
  Rect automatic, firstSwatch, lastSwatch, more;
};

class PickerLayoutRows : public testing::TestWithParam<LayoutCase> {};

TEST_P(PickerLayoutRows, PlacesRowsAndSwatches) {
  const LayoutCase& c = GetParam();
  PickerMetrics metrics;  // 40 colours, 8 columns, 18-pixel cells, margin 4, text rows 22
  metrics.automaticTextWidth = c.automaticWidth;
  metrics.moreTextWidth = c.moreWidth;
  const PickerLayout layout(metrics);
  EXPECT_EQ(layout.Rows(), 5);
  EXPECT_EQ(layout.PopupSize(), c.popup);
  EXPECT_EQ(layout.AutomaticRect(), c.automatic);
  EXPECT_EQ(layout.SwatchRect(0), c.firstSwatch);
  EXPECT_EQ(layout.SwatchRect(39), c.lastSwatch);
  EXPECT_EQ(layout.MoreRect(), c.more);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PickerLayoutRows,
    testing::Values(
        LayoutCase{"BothRowsNarrowerThanSwatches", 100, 120, {152, 150}, {4, 4, 148, 26}, {4, 30, 22, 48},
                   {130, 102, 148, 120}, {4, 124, 148, 146}},
        LayoutCase{"TextWiderThanSwatches", 200, 200, {208, 150}, {4, 4, 204, 26}, {32, 30, 50, 48},
                   {158, 102, 176, 120}, {4, 124, 204, 146}},
        LayoutCase{"NoTextRows", 0, 0, {152, 98}, {}, {4, 4, 22, 22}, {130, 76, 148, 94}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PickerLayout, ItemsUnderThePointer) {
  PickerMetrics metrics;
  metrics.automaticTextWidth = metrics.moreTextWidth = 100;
  const PickerLayout layout(metrics);
  EXPECT_EQ(layout.ItemAt(22, 48), (PickerItem{PickerItemKind::Swatch, 9}));  // second row, second column
  EXPECT_EQ(layout.ItemAt(147, 119), (PickerItem{PickerItemKind::Swatch, 39}));
  EXPECT_EQ(layout.ItemAt(50, 28), PickerItem{});  // the gap between rows
}

// The notices one drop-down sends, for a button showing kRed.
constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;
constexpr int kSel = 2025, kDrop = 2026, kClose = 2027, kOk = 2028, kCancel = 2029;

struct SequenceCase {
  const char* name;
  bool track;
  std::vector<std::uint32_t> hovered;  // swatches passed over
  std::optional<std::uint32_t> accepted;  // nullopt: cancelled
  Notices expected;
  std::uint32_t colourAfter;
};

class PickerSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(PickerSequence, NoticesInOrder) {
  const SequenceCase& c = GetParam();
  Notices seen;
  ColourPickerState state([&seen](PickerNotice n, std::uint32_t colour) { seen.emplace_back(static_cast<int>(n), colour); });
  state.SetColour(kRed);
  state.SetTrackSelection(c.track);
  ASSERT_TRUE(state.DropDown());
  EXPECT_FALSE(state.DropDown());  // already open: nothing more
  for (std::uint32_t colour : c.hovered) state.Track(colour);
  if (c.accepted) {
    state.Accept(*c.accepted);
  } else {
    state.Cancel();
  }
  // A second ending of the same drop-down is ignored.
  state.Cancel();
  state.Accept(kGreen);
  EXPECT_EQ(seen, c.expected);
  EXPECT_EQ(state.Colour(), c.colourAfter);
  EXPECT_FALSE(state.Active());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PickerSequence,
    testing::Values(
        SequenceCase{"NewColour", false, {}, kBlue, {{kDrop, kRed}, {kClose, kBlue}, {kOk, kBlue}, {kSel, kBlue}}, kBlue},
        SequenceCase{"SameColourSendsNoSelectionChange", false, {}, kRed, {{kDrop, kRed}, {kClose, kRed}, {kOk, kRed}}, kRed},
        SequenceCase{"Automatic", false, {}, kAutomaticColour,
                     {{kDrop, kRed}, {kClose, kAutomaticColour}, {kOk, kAutomaticColour}, {kSel, kAutomaticColour}},
                     kAutomaticColour},
        SequenceCase{"Cancelled", false, {kBlue}, std::nullopt, {{kDrop, kRed}, {kClose, kRed}, {kCancel, kRed}}, kRed},
        SequenceCase{"TrackingPreviewsThenCancelRestores", true, {kBlue, kGreen}, std::nullopt,
                     {{kDrop, kRed}, {kSel, kBlue}, {kSel, kGreen}, {kClose, kRed}, {kCancel, kRed}}, kRed},
        SequenceCase{"TrackingThenAccept", true, {kBlue}, kBlue,
                     {{kDrop, kRed}, {kSel, kBlue}, {kClose, kBlue}, {kOk, kBlue}, {kSel, kBlue}}, kBlue}),
    [](const auto& info) { return std::string(info.param.name); });

class MapStore final : public SettingsStore {
 public:
  std::optional<std::uint32_t> ReadNumber(const std::string& section, const std::string& name) const override {
    const auto found = values.find(section + "\\" + name);
    return found == values.end() ? std::nullopt : std::optional(found->second);
  }
  void WriteNumber(const std::string& section, const std::string& name, std::uint32_t value) override {
    values[section + "\\" + name] = value;
  }
  std::map<std::string, std::uint32_t> values;
};

TEST(CustomColours, MissingAreWhiteHighBitsDroppedAndSavedUnderTheSection) {
  MapStore store;
  store.values["RGB\\CUSTOM_COLOR_0"] = 0x123456;
  store.values["RGB\\CUSTOM_COLOR_15"] = 0xFF00FF00;
  store.values["Other\\CUSTOM_COLOR_1"] = 0x000001;
  CustomColours colours = LoadCustomColours(&store, "RGB");
  EXPECT_EQ(colours[0], 0x123456u);
  EXPECT_EQ(colours[1], 0xFFFFFFu);
  EXPECT_EQ(colours[15], 0x00FF00u);

  colours[3] = 0xAB000042;
  SaveCustomColours(&store, "RGB", colours);
  EXPECT_EQ(store.values.at("RGB\\CUSTOM_COLOR_3"), 0x000042u);
  EXPECT_EQ(store.values.size(), 17u);

  // Without a store they start white and are not kept.
  SaveCustomColours(nullptr, "RGB", colours);
  EXPECT_EQ(LoadCustomColours(nullptr, "RGB")[0], 0xFFFFFFu);
}

}  // namespace
}  // namespace orvinta::components
