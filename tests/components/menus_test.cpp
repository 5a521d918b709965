// The icon menu's look and colours, drawn offscreen, and the monitor window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <QTextBlock>

#include "client/components/debug_dlg.h"
#include "client/components/menus/icon_menu.h"
#include "client/components/menus/menu_icons.h"
#include "client/components/menus/qt_popup_menus.h"
#include "client/window/menu_models.h"

namespace orvinta::components {
namespace {

struct LightenCase {
  const char* name;
  std::uint32_t colour;
  double f;
  std::uint32_t expected;
};
class LightenTest : public ::testing::TestWithParam<LightenCase> {};
TEST_P(LightenTest, MovesEachChannelTowardWhite) {
  EXPECT_EQ(Lighten(GetParam().colour, GetParam().f), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Factors, LightenTest,
                         ::testing::Values(LightenCase{"BlackHalf", 0x000000, 0.5, 0x7F7F7F},
                                           LightenCase{"RedSelected", 0x0000FF, 0.7, 0xB2B2FF},
                                           LightenCase{"ChecksTruncate", 0x6A240A, 0.85, 0xE8DEDA},
                                           LightenCase{"Full", 0x123456, 1.0, 0xFFFFFF},
                                           LightenCase{"ZeroUnchanged", 0x123456, 0.0, 0x123456},
                                           LightenCase{"AboveOneUnchanged", 0x123456, 1.5, 0x123456}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LookCase {
  const char* name;
  platform::OsVersion os;
  bool classic;
  bool palette;
  MenuLook expected;
};
class LookTest : public ::testing::TestWithParam<LookCase> {};
TEST_P(LookTest, FlatOnlyOnAThemedDesktop) {
  const LookCase& c = GetParam();
  EXPECT_EQ(ChooseMenuLook({PlatformCode(c.os), c.classic, c.palette}), c.expected);
}
using platform::OsFamily;
INSTANTIATE_TEST_SUITE_P(
    Platforms, LookTest,
    ::testing::Values(LookCase{"Xp", {OsFamily::WinNT, 5, 1}, false, false, MenuLook::Flat},
                      LookCase{"XpClassicTheme", {OsFamily::WinNT, 5, 1}, true, false, MenuLook::Raised},
                      LookCase{"XpPalette", {OsFamily::WinNT, 5, 1}, false, true, MenuLook::Raised},
                      LookCase{"Windows2000", {OsFamily::WinNT, 5, 0}, false, false, MenuLook::Raised},
                      LookCase{"LaterNt", {OsFamily::WinNT, 10, 0}, false, false, MenuLook::Raised},
                      LookCase{"Me", {OsFamily::Win9x, 4, 90}, false, false, MenuLook::Raised}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlatformCode, Classification) {
  const struct {
    platform::OsVersion os;
    int code;
  } cases[] = {{{OsFamily::Win9x, 3, 0}, 0}, {{OsFamily::WinNT, 6, 0}, 1}, {{OsFamily::Win9x, 4, 0}, 2},
               {{OsFamily::Win9x, 4, 10}, 3}, {{OsFamily::Win9x, 4, 90}, 4}, {{OsFamily::WinNT, 4, 0}, 5},
               {{OsFamily::WinNT, 5, 0}, 6},  {{OsFamily::WinNT, 5, 1}, 7},  {{OsFamily::Other, 5, 1}, 1}};
  for (const auto& c : cases) EXPECT_EQ(PlatformCode(c.os), c.code) << c.os.major << "." << c.os.minor;
  EXPECT_TRUE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\windows classic.THEME"));
  EXPECT_FALSE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Luna.theme"));
}

TEST(HostMenuPlatform, ModernDesktopIsFlatAndClassicStyleRaised) {
  EXPECT_EQ(HostMenuPlatform().platformCode, kThemedDesktopCode);
  const QString before = QApplication::style()->name();
  QApplication::setStyle(QStyleFactory::create("Windows"));
  EXPECT_EQ(ChooseMenuLook(HostMenuPlatform()), MenuLook::Raised);
  QApplication::setStyle(QStyleFactory::create(before));
  EXPECT_EQ(ChooseMenuLook(HostMenuPlatform()), MenuLook::Flat);
}

QImage Draw(MenuLook look, const std::vector<platform::MenuItem>& items, int selected, const char* file,
           platform::MenuIcons icons = platform::MenuIcons::Member) {
  IconMenu menu(MenuImages(icons), [look] { return look; });
  menu.SetItems(items);
  menu.adjustSize();
  menu.setActiveAction(menu.actions().at(selected));
  const QImage image = menu.grab().toImage();
  if (const QByteArray dir = qgetenv("ORVINTA_SHOTS"); !dir.isEmpty()) image.save(dir + "/" + file);
  return image;
}

TEST(IconMenu, FlatLookFillsTheSelectedItemWithLightenedHighlight) {
  const auto items = window::MemberMenuItems({.privateChat = true});
  const QImage image = Draw(MenuLook::Flat, items, 2, "member_menu_flat.png");
  IconMenu probe(MenuImages(platform::MenuIcons::Member), [] { return MenuLook::Flat; });
  probe.SetItems(items);
  probe.adjustSize();
  const QRect item = probe.actionGeometry(probe.actions().at(2));
  const QColor highlight = probe.palette().color(QPalette::Active, QPalette::Highlight);
  const std::uint32_t ref = static_cast<std::uint32_t>(highlight.red()) | (highlight.green() << 8) |
                            (highlight.blue() << 16);
  const std::uint32_t fill = Lighten(ref, kSelectedLightening);
  const QColor sampled = image.pixelColor(item.right() - 4, item.center().y());
  EXPECT_EQ(sampled, QColor(fill & 0xFF, (fill >> 8) & 0xFF, (fill >> 16) & 0xFF));
}

TEST(IconMenu, RaisedLookShowsItemsAndReturnsTheirCommands) {
  const auto items = window::MemberMenuItems({.ignoreItem = true, .ignored = true});
  const QImage image = Draw(MenuLook::Raised, items, 0, "member_menu_raised.png");
  IconMenu probe(MenuImages(platform::MenuIcons::Member), [] { return MenuLook::Raised; });
  probe.SetItems(items);
  probe.adjustSize();
  const QRect item = probe.actionGeometry(probe.actions().at(0));
  // The selected item takes the highlight itself, not the flat look's lightened one.
  EXPECT_EQ(image.pixelColor(item.right() - 4, item.center().y()),
            probe.palette().color(QPalette::Active, QPalette::Highlight));
  IconMenu menu(MenuImages(platform::MenuIcons::Status), [] { return MenuLook::Raised; });
  menu.SetItems(window::StatusMenuItems(2));
  ASSERT_EQ(menu.actions().size(), 7);
  EXPECT_EQ(menu.actions().at(6)->data().toInt(), 32792);
  EXPECT_TRUE(menu.actions().at(2)->isChecked());
  Draw(MenuLook::Raised, window::StatusMenuItems(2), 3, "status_menu_raised.png", platform::MenuIcons::Status);
}

TEST(ChatMonitor, ColouredBoundedLinesAndPlacedBesideTheWindow) {
  CDebugDlg monitor;
  monitor.AddLine(">>> TALL0003abc\r\n", 0xFF0000);
  monitor.AddLine("<<< PING0000", 0x212121);
  QTextDocument* doc = monitor.Log().document();
  EXPECT_EQ(doc->toPlainText(), ">>> TALL0003abc\n<<< PING0000\n");
  EXPECT_EQ(doc->firstBlock().begin().fragment().charFormat().foreground().color(), QColor(0, 0, 0xFF));
  EXPECT_TRUE(monitor.Log().isReadOnly());
  for (int i = 0; i < CDebugDlg::kMaxLogLines + 50; ++i) monitor.AddLine("<<< x", 0x212121);
  EXPECT_LE(doc->blockCount(), CDebugDlg::kMaxLogLines + 1);

  const QRect screen(0, 0, 1280, 800);
  EXPECT_EQ(MonitorPlacement({100, 50, 600, 400}, {300, 200}, screen).topLeft(), QPoint(700, 50));
  EXPECT_EQ(MonitorPlacement({800, 50, 400, 400}, {300, 200}, screen).topLeft(), QPoint(500, 50));
  EXPECT_EQ(MonitorPlacement({0, 700, 1280, 100}, {300, 200}, screen).topLeft(), QPoint(0, 600));
}

}  // namespace
}  // namespace orvinta::components
