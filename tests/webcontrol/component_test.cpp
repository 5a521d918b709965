// The component layer: registry file, dispatch by name, event sinks,
// property bags and class id texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/webcontrol/control_fixture.h"
#include "webcontrol/avatar_url.h"
#include "webcontrol/component/component_loader.h"
#include "webcontrol/component/connection_point.h"
#include "webcontrol/component/dispatch_table.h"
#include "webcontrol/component/registry_file.h"

namespace orvinta::quendel::testing {
namespace {

TEST(QuendelRegistryFile, TextRoundTripsValuesWithQuotesBackslashesAndLineBreaks) {
  com::RegistryFile a("unused");
  a.SetValue("CLSID\\{X}", "", "Type \"name\"");
  a.SetValue("CLSID\\{X}\\InprocServer32", "ThreadingModel", "C:\\path\nnext");
  a.CreateKey("CLSID\\{X}\\Control");
  com::RegistryFile b("unused");
  ASSERT_TRUE(b.FromText(a.ToText()));
  EXPECT_EQ(b.ToText(), a.ToText());
  EXPECT_EQ(b.GetValue("clsid\\{x}"), "Type \"name\"");
  EXPECT_EQ(b.GetValue("CLSID\\{X}\\InprocServer32", "threadingmodel"), "C:\\path\nnext");
  EXPECT_TRUE(b.HasKey("CLSID\\{X}\\Control"));
  EXPECT_TRUE(b.HasKey("CLSID"));
  EXPECT_EQ(b.SubKeys("CLSID"), std::vector<std::string>{"{X}"});
}

TEST(QuendelRegistryFile, MalformedTextIsRefused) {
  const char* texts[] = {"@=\"value before any key\"", "[unterminated", "[k]\n\"name=\"v\"", "[k]\n@=\"bad \\q\"",
                         "[k]\n@=\"v\" trailing"};
  for (const char* text : texts) {
    com::RegistryFile r("unused");
    EXPECT_FALSE(r.FromText(text)) << text;
  }
}

TEST(QuendelRegistryFile, DeleteTreeTakesSubkeysButNotSiblingsWithTheSamePrefix) {
  com::RegistryFile r("unused");
  r.SetValue("A\\B", "", "1");
  r.SetValue("A\\B\\C", "", "2");
  r.SetValue("A\\BC", "", "3");
  r.DeleteTree("a\\b");
  EXPECT_FALSE(r.HasKey("A\\B"));
  EXPECT_EQ(r.GetValue("A\\BC"), "3");
}

TEST(QuendelRegistryFile, SavesAndLoadsAFile) {
  const auto path = std::filesystem::temp_directory_path() / ("quendel-reg-" + std::to_string(getpid())) / "c.reg";
  com::RegistryFile r(path);
  ASSERT_TRUE(r.Load()) << "a missing file reads as empty";
  r.SetValue("K", "n", "v");
  ASSERT_TRUE(r.Save());
  com::RegistryFile again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetValue("K", "n"), "v");
  std::filesystem::remove_all(path.parent_path());
}

TEST(QuendelDispatchTable, NamesAreFoundWithoutRegardToCaseAndArgumentsAreCounted) {
  com::DispatchTable table;
  std::vector<std::string> got;
  table.Add({4, "ReqRoomInfo", {"sRoomID"}}, [&](const auto& args) { got = args; });
  com::DispId id = 0;
  EXPECT_EQ(table.GetIdOfName("reqroominfo", id), com::S_OK);
  EXPECT_EQ(id, 4);
  EXPECT_EQ(table.GetIdOfName("ReqRoomInf", id), com::DISP_E_UNKNOWNNAME);
  EXPECT_EQ(table.Invoke(4, {}), com::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(table.Invoke(9, {"x"}), com::DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(table.Invoke(4, {"x"}), com::S_OK);
  EXPECT_EQ(got, std::vector<std::string>{"x"});
}

TEST(QuendelConnectionPoint, EverySinkGetsTheEventUntilItDisconnects) {
  com::ConnectionPoint point;
  RecordingSink a, b;
  const auto cookieA = point.Advise(a);
  point.Advise(b);
  point.Fire({3, "ResRoomInfo", {"sRoomID", "sUserID"}}, {"r"});
  point.Unadvise(cookieA);
  point.Fire({1, "ResConnectServer", {"sResult"}}, {"true"});
  EXPECT_EQ(a.events, std::vector<std::string>{"ResRoomInfo(r,)"});
  EXPECT_EQ(b.events, (std::vector<std::string>{"ResRoomInfo(r,)", "ResConnectServer(true)"}));
}

TEST(QuendelClassIds, PageAndRegistrySpellingsNormalise) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"clsid:b37ad72d-34ea-45f8-a016-10814dc97cab", "{B37AD72D-34EA-45F8-A016-10814DC97CAB}"},
      {"CLSID:B37AD72D-34EA-45F8-A016-10814DC97CAB", "{B37AD72D-34EA-45F8-A016-10814DC97CAB}"},
      {"{b37ad72d-34ea-45f8-a016-10814dc97cab}", "{B37AD72D-34EA-45F8-A016-10814DC97CAB}"},
      {"QUENDEL.QuendelCtrl.1", std::nullopt},
      {"clsid:B37AD72D-34EA-45F8-A016-10814DC97CAX", std::nullopt},
      {"{B37AD72D-34EA-45F8-A016-10814DC97CAB", std::nullopt},
  };
  for (const auto& [text, id] : cases) EXPECT_EQ(com::NormaliseClassId(text), id) << text;
}

TEST(QuendelComponentLoader, UnregisteredNamesAreRefused) {
  com::ComponentLoader loader(std::filesystem::temp_directory_path() / "quendel-no-such-registry.reg");
  std::unique_ptr<com::Control> control;
  EXPECT_EQ(loader.CreateControl("QUENDEL.QuendelCtrl.1", control), com::REGDB_E_CLASSNOTREG);
  EXPECT_EQ(loader.CreateControl("clsid:B37AD72D-34EA-45F8-A016-10814DC97CAB", control), com::REGDB_E_CLASSNOTREG);
  EXPECT_EQ(control, nullptr);
}

TEST(QuendelAvatarUrl, DirectoriesFromTheIconNumber) {
  const PortalImages images{"http://img/av/", "http://grp/"};
  const std::tuple<long, IconSize, const char*> cases[] = {
      {123456, IconSize::Small, "http://img/av/56/34/s_123456.gif"},
      {1000, IconSize::Large, "http://img/av/100/10/1000.gif"},
      {1234, IconSize::Small, "http://img/av/34/12/s_1234.gif"},
      {10000, IconSize::Small, "http://img/av/100/100/s_10000.gif"},
      {7, IconSize::Small, "http://grp/img/emot/emo/empty13_a.gif"},
      {8, IconSize::Small, "http://grp/img/emot/emo/empty13_b.gif"},
      {0, IconSize::Small, "http://grp/img/emot/emo/empty13_b.gif"},
      {-3, IconSize::Large, "http://grp/img/emot/emo/empty19_a.gif"},
      {999, IconSize::Large, "http://grp/img/emot/emo/empty19_a.gif"},
  };
  for (const auto& [n, size, url] : cases) EXPECT_EQ(IconUrl(n, size, images), url) << n;
}

TEST_F(QuendelControlTest, MethodsHaveTheirDispidsAndUnknownNamesAnError) {
  const std::pair<const char*, com::DispId> methods[] = {
      {"ReqConnectServer", 1}, {"ReqAllRoomList", 2}, {"ReqRoomUserCount", 3}, {"ReqRoomInfo", 4},
      {"ReqUserInfo", 5},      {"EnterRoom", 6},      {"EnterPrivateRoom", 7}};
  for (const auto& [name, dispid] : methods) {
    com::DispId id = 0;
    EXPECT_EQ(ctrl.GetIdOfName(name, id), com::S_OK) << name;
    EXPECT_EQ(id, dispid) << name;
  }
  EXPECT_EQ(ctrl.Members().size(), 7u);
  EXPECT_EQ(Call("ResRoomInfo"), com::DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Call("EnterRoom", {"only one"}), com::DISP_E_BADPARAMCOUNT);
}

}  // namespace
}  // namespace orvinta::quendel::testing
