// Registering the module into a registry file and taking it out again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "webcontrol/component/registration.h"
#include "webcontrol/component/registry_file.h"
#include "webcontrol/quendel_ids.h"
#include "webcontrol/quendel_registration.h"

namespace orvinta::quendel {
namespace {

class QuendelRegistration : public ::testing::Test {
 protected:
  QuendelRegistration() {
    dir = std::filesystem::temp_directory_path() /
          ("quendel-registration-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    path = dir / "components.reg";
  }
  ~QuendelRegistration() override { std::filesystem::remove_all(dir); }

  std::string FileText() const {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir;
  std::filesystem::path path;
  const std::string module = "/usr/lib/orvinta/libquendel.so";
};

TEST_F(QuendelRegistration, RegisteringWritesClassesProgIdsTypeLibraryAndCategories) {
  com::RegistryFile registry(path);
  ASSERT_EQ(RegisterQuendel(registry, module), com::S_OK);
  com::RegistryFile r(path);
  ASSERT_TRUE(r.Load());
  const std::string control = com::ClassKey(kControlClassId);
  EXPECT_EQ(r.GetValue(control), "Quendel Control");
  EXPECT_EQ(r.GetValue(control + "\\InprocServer32"), module);
  EXPECT_EQ(r.GetValue(control + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(r.GetValue(control + "\\ProgID"), "QUENDEL.QuendelCtrl.1");
  EXPECT_EQ(r.GetValue(control + "\\MiscStatus\\1"), std::to_string(0x20191));
  EXPECT_EQ(r.GetValue(control + "\\TypeLib"), std::string(kTypeLibId));
  EXPECT_EQ(r.GetValue(control + "\\Version"), "1.0");
  EXPECT_EQ(r.GetValue(control + "\\ToolboxBitmap32"), module + ", 1");
  EXPECT_TRUE(r.HasKey(control + "\\Implemented Categories\\" + std::string(kSafeForScripting.catid)));
  EXPECT_TRUE(r.HasKey(control + "\\Implemented Categories\\" + std::string(kSafeForInitializing.catid)));
  EXPECT_EQ(r.GetValue("Component Categories\\" + std::string(kSafeForScripting.catid), "409"),
            "Controls that are safely scriptable");
  EXPECT_EQ(com::ClassIdOfProgId(r, "quendel.quendelctrl.1"), std::string(kControlClassId));
  EXPECT_EQ(r.GetValue(com::ClassKey(kPropPageClassId)), "Quendel Property Page");
  EXPECT_EQ(r.GetValue(com::ClassKey(kPropPageClassId) + "\\InprocServer32"), module);
  EXPECT_EQ(r.GetValue("TypeLib\\" + std::string(kTypeLibId) + "\\1.0"),
            reinterpret_cast<const char*>(u8"Quendel ActiveX 컨트롤 모듈"));
  EXPECT_EQ(r.GetValue("TypeLib\\" + std::string(kTypeLibId) + "\\1.0\\409\\linux64"), module);
  EXPECT_EQ(r.GetValue("Interface\\" + std::string(kEventsIid)), "_DQuendelEvents");
}

TEST_F(QuendelRegistration, UnregisteringLeavesTheFileAsItWas) {
  const std::vector<std::string> starts = {
      "",  // no file yet
      "; Orvinta component registry\n\n[CLSID\\{11111111-2222-3333-4444-555555555555}]\n@=\"Other\"\n\n"
      "[CLSID\\{11111111-2222-3333-4444-555555555555}\\Implemented Categories\\"
      "{7DD95801-9882-11CF-9FA9-00AA006C42C4}]\n\n"
      "[Component Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}]\n\"409\"=\"Controls that are safely scriptable\"\n",
  };
  for (const std::string& start : starts) {
    std::filesystem::remove(path);
    if (!start.empty()) std::ofstream(path) << start;
    com::RegistryFile registry(path);
    ASSERT_EQ(RegisterQuendel(registry, module), com::S_OK);
    ASSERT_EQ(RegisterQuendel(registry, module), com::S_OK) << "registering twice is harmless";
    ASSERT_EQ(UnregisterQuendel(registry), com::S_OK);
    com::RegistryFile empty(path);
    ASSERT_TRUE(empty.Load());
    EXPECT_EQ(FileText(), start.empty() ? empty.ToText() : start);
  }
}

TEST_F(QuendelRegistration, CategoryDescriptionsAreCutTo127Characters) {
  com::RegistryFile r(path);
  com::RegisterCategory(r, "{C}", 1033, std::string(200, 'd'));
  EXPECT_EQ(r.GetValue("Component Categories\\{C}", "409")->size(), 127u);
}

TEST_F(QuendelRegistration, AnUnwritableRegistryFailsAtTheTypeLibraryStep) {
  std::ofstream(dir / "file") << "x";
  com::RegistryFile registry(dir / "file" / "components.reg");
  EXPECT_EQ(RegisterQuendel(registry, module), com::SELFREG_E_TYPELIB);
  EXPECT_EQ(UnregisterQuendel(registry), com::SELFREG_E_TYPELIB);
}

TEST_F(QuendelRegistration, AnUnreadableRegistryIsNotOverwritten) {
  std::ofstream(path) << "not a registry";
  com::RegistryFile registry(path);
  EXPECT_EQ(RegisterQuendel(registry, module), com::SELFREG_E_TYPELIB);
  EXPECT_EQ(FileText(), "not a registry");
}

}  // namespace
}  // namespace orvinta::quendel
