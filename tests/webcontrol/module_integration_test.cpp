// The loadable module through the component layer: self-registration, the
// class factory, and the control's session against the real chat server.
#include <dlfcn.h>

#include <QTcpServer>
#include <filesystem>
#include <set>
#include <fstream>
#include <sstream>

#include "tests/webcontrol/integration_support.h"
#include "tests/webcontrol/quendel_fakes.h"
#include "webcontrol/component/component_loader.h"
#include "webcontrol/component/module_exports.h"
#include "webcontrol/component/registration.h"

namespace orvinta::quendel::integration {
namespace {

using Strings = std::vector<std::string>;

struct ImageAddresses {
  std::string avatar = QUENDEL_AVATAR_BASE;
  std::string group = QUENDEL_GROUP_IMAGE_HOST;
};
const ImageAddresses& IconBase() {
  static const ImageAddresses addresses;
  return addresses;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

template <typename Fn>
Fn* Entry(const char* name) {
  static void* module = dlopen(QUENDEL_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  return module ? reinterpret_cast<Fn*>(dlsym(module, name)) : nullptr;
}

class QuendelModule : public ::testing::Test {
 protected:
  RegistryScope registry;
};

TEST_F(QuendelModule, RegistersCreatesByProgIdAndUnregistersBackToTheFormerFile) {
  const std::string before = "; Orvinta component registry\n\n[Other.Thing.1\\CLSID]\n@=\"{00000000-0000-0000-0000-000000000001}\"\n";
  std::ofstream(registry.path()) << before;
  auto* registerServer = Entry<DllRegisterServerFn>("DllRegisterServer");
  auto* unregisterServer = Entry<DllUnregisterServerFn>("DllUnregisterServer");
  auto* canUnload = Entry<DllCanUnloadNowFn>("DllCanUnloadNow");
  auto* getClassObject = Entry<DllGetClassObjectFn>("DllGetClassObject");
  ASSERT_TRUE(registerServer && unregisterServer && canUnload && getClassObject);

  ASSERT_EQ(registerServer(), com::S_OK);
  com::RegistryFile file(registry.path());
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(com::ModuleOfClass(file, "{B37AD72D-34EA-45F8-A016-10814DC97CAB}"),
            std::filesystem::canonical(QUENDEL_MODULE_PATH).string());

  com::ComponentLoader loader(registry.path());
  std::unique_ptr<com::Control> control;
  ASSERT_EQ(loader.CreateControl("QUENDEL.QuendelCtrl.1", control), com::S_OK);
  ASSERT_NE(control, nullptr);
  com::DispId id = 0;
  EXPECT_EQ(control->GetIdOfName("enterprivateroom", id), com::S_OK);
  EXPECT_EQ(id, 7);
  EXPECT_EQ(canUnload(), com::S_FALSE);
  control.reset();
  EXPECT_EQ(canUnload(), com::S_OK);

  const com::TypeLibraryInfo* library = loader.TypeLibraryOf("{B37AD72D-34EA-45F8-A016-10814DC97CAB}");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->name, "QuendelLib");
  EXPECT_EQ(library->helpString, "Quendel ActiveX 컨트롤 모듈");
  ASSERT_EQ(library->dispatchInterfaces.size(), 2u);
  EXPECT_TRUE(library->dispatchInterfaces[0].members.empty());
  EXPECT_EQ(library->dispatchInterfaces[1].members.size(), 4u);

  com::ClassFactory* factory = nullptr;
  EXPECT_EQ(getClassObject("{00000000-0000-0000-0000-000000000000}", &factory), com::CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(getClassObject("{74E577DA-610C-4703-A9F0-6FB78C40D42F}", &factory), com::S_OK);

  ASSERT_EQ(unregisterServer(), com::S_OK);
  EXPECT_EQ(ReadFile(registry.path()), before);
}

class QuendelAgainstServer : public QuendelModule {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.started());
    ASSERT_EQ(Entry<DllRegisterServerFn>("DllRegisterServer")(), com::S_OK);
    ASSERT_EQ(loader.CreateControl("clsid:b37ad72d-34ea-45f8-a016-10814dc97cab", control), com::S_OK);
    control->Advise(sink);
    site.browser.cookie = "blvsession_eid=TOKEN";
    control->SetClientSite(&site);
    control->Load({{"AutoConnect", "TRUE"}, {"ServerAddr", server.address()}, {"Debug", "TRUE"}});
    ASSERT_EQ(control->CreateControlWindow(nullptr), com::S_OK);
  }
  void TearDown() override { control.reset(); }

  void Call(const char* name, Strings args = {}) {
    com::DispId id = 0;
    ASSERT_EQ(control->GetIdOfName(name, id), com::S_OK);
    ASSERT_EQ(control->Invoke(id, args), com::S_OK);
  }

  ServerProcess server;
  com::ComponentLoader loader{registry.path()};
  std::unique_ptr<com::Control> control;
  testing::RecordingSink sink;
  testing::FakeSite site;
};

TEST_F(QuendelAgainstServer, ReportsEachMemberOfARoomAsARoomInfoAndUserInfoPair) {
  Member lee("lee", "영희", "1234", server.address());
  Member park("park", "박", "7", server.address());
  ASSERT_TRUE(lee.Enter("room1"));
  ASSERT_TRUE(park.Enter("room1"));
  ASSERT_TRUE(WaitFor([&] { return sink.events == Strings{"ResConnectServer(true)"}; }));
  Call("ReqRoomInfo", {" #room1 "});
  ASSERT_TRUE(WaitFor([&] { return sink.events.size() >= 5; }));
  WaitFor([] { return false; }, 200);
  ASSERT_EQ(sink.events.size(), 5u);
  // The server's member order is its own; each member is a room report followed by its details.
  std::set<std::string> pairs;
  for (std::size_t i = 1; i < 5; i += 2) pairs.insert(sink.events[i] + " " + sink.events[i + 1]);
  EXPECT_EQ(pairs, (std::set<std::string>{
                       "ResRoomInfo(room1,lee) ResUserInfo(lee,영희," + IconBase().avatar + "34/12/s_1234.gif)",
                       "ResRoomInfo(room1,park) ResUserInfo(park,박," + IconBase().group + "img/emot/emo/empty13_a.gif)"}));
}

TEST_F(QuendelAgainstServer, ReportsFalseWhenTheServerGoesAway) {
  ASSERT_TRUE(WaitFor([&] { return !sink.events.empty(); }));
  server.Kill();
  ASSERT_TRUE(WaitFor([&] { return sink.events.size() >= 2; }));
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(true)", "ResConnectServer(false)"}));
}

TEST_F(QuendelAgainstServer, AnUnreachableServerIsReportedDown) {
  ASSERT_TRUE(WaitFor([&] { return !sink.events.empty(); }));
  // A port that was free a moment ago has nobody listening on it.
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const std::string closed = "127.0.0.1:" + std::to_string(probe.serverPort());
  probe.close();
  control->Load({{"ServerAddr", closed}});
  sink.events.clear();
  Call("ReqConnectServer");
  ASSERT_TRUE(WaitFor([&] { return sink.events.size() >= 2; }));
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(false)", "ResConnectServer(false)"}));
}

}  // namespace
}  // namespace orvinta::quendel::integration
