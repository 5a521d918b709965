// Orvinta.cfg on the disk: where it lives, its folder made on first save,
// and an old file that survives a failed write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstdlib>
#include <filesystem>

#include "client/components/config/atomic_file.h"
#include "client/components/config/config.h"
#include "client/components/config/config_file.h"
#include "client/components/config/config_path.h"
#include "client/components/config/config_store.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::config {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "orvinta-cfg-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(ConfigStorage, FirstSaveMakesTheFolderAndAFreshLoadReadsIt) {
  TempFolder temp;
  const ConfigFile file(temp / "config/orvinta/Orvinta.cfg");
  ConfigValues values;
  values.Header = "머리";
  ASSERT_TRUE(file.Save(values));
  EXPECT_EQ(fs::file_size(file.Path()), 35u + 4);  // "머리" is four bytes
  ConfigValues read;
  file.Load(read);
  EXPECT_EQ(read, values);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp / "config/orvinta"), fs::directory_iterator{}), 1)
      << "no temporary file left behind";
}

TEST(ConfigStorage, MissingFileOrNoPathLeavesTheValues) {
  TempFolder temp;
  ConfigValues values;
  values.Footer = "kept";
  ConfigFile(temp / "absent.cfg").Load(values);
  ConfigFile("").Load(values);
  EXPECT_EQ(values.Footer, "kept");
  EXPECT_FALSE(ConfigFile("").Save(values));
}

// A write that runs out of room (here: past the file size limit, as a full
// disk would) leaves the old file as it was.
TEST(ConfigStorage, FailedWriteLeavesTheOldFileWhole) {
  TempFolder temp;
  const ConfigFile file(temp / "Orvinta.cfg");
  ConfigValues old;
  old.Header = "old";
  ASSERT_TRUE(file.Save(old));
  ConfigValues changed;
  changed.Header = std::string(200, 'n');

  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = file.Save(changed);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  ConfigValues read;
  file.Load(read);
  EXPECT_EQ(read.Header, "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}), 1);
}

TEST(ConfigStorage, AFailedSaveIsToldOnce) {
  ConfigStore store("/dev/null/orvinta/Orvinta.cfg");  // no one can make that folder
  fakes::FakeMessageBoxes boxes;
  store.ReportFailedSaveIn(&boxes);
  EXPECT_FALSE(store.SaveConfig());
  EXPECT_FALSE(store.SaveConfig());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
}

TEST(ConfigStorage, AtomicWriteKeepsTheOldFilesPermissions) {
  TempFolder temp;
  const std::string path = temp / "kept.htm";
  ASSERT_TRUE(WriteFileAtomically(path, "one"));
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "two"));
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadFileBounded(path, 100).value_or(""), "two");
  EXPECT_EQ(ReadFileBounded(path, 2).value_or(""), "tw");
}

// A fresh start writes a 35-byte file whose window values are the closing rectangle.
TEST(ConfigStorage, StoreKeepsTheProcessWideValuesAcrossARestart) {
  TempFolder temp;
  CConfig::Values() = ConfigValues{};
  ConfigStore first(temp / "orvinta/Orvinta.cfg");
  first.LoadConfig();
  ASSERT_TRUE(first.SaveConfig(platform::WindowRect{40, 30, 640, 480}));
  EXPECT_EQ(fs::file_size(first.Path()), 35u);

  CConfig::Values().Header = "[h]";
  ASSERT_TRUE(first.SaveConfig());
  CConfig::Values() = ConfigValues{};  // the next run
  const ConfigValues& loaded = ConfigStore(first.Path()).LoadConfig();
  EXPECT_EQ(loaded.Header, "[h]");
  EXPECT_EQ(loaded.WindowLeft, 40);
  EXPECT_EQ(loaded.WindowHeight, 480);
  CConfig::Values() = ConfigValues{};
}

struct PathCase {
  std::string name;
  bool besideProgramWritable;
  std::string xdg;
  std::string home;
  std::string expected;
  bool programFolderWritable = true;
};

class ConfigPath : public testing::TestWithParam<PathCase> {};

TEST_P(ConfigPath, IsChosen) {
  const PathCase& c = GetParam();
  const ConfigPlaces places{"/opt/orvinta", c.xdg, c.home, [&](const std::string& path) {
                              return c.besideProgramWritable && path == "/opt/orvinta/Orvinta.cfg";
                            },
                            [&](const std::string& folder) { return c.programFolderWritable && folder == "/opt/orvinta"; }};
  EXPECT_EQ(ChooseConfigPath(places), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ConfigPath,
    testing::Values(PathCase{"PortableBesideTheProgram", true, "/x", "/home/u", "/opt/orvinta/Orvinta.cfg"},
                    PathCase{"PortableInAFolderNobodyMayWrite", true, "/x", "/home/u", "/x/orvinta/Orvinta.cfg", false},
                    PathCase{"XdgConfigHome", false, "/x/cfg/", "/home/u", "/x/cfg/orvinta/Orvinta.cfg"},
                    PathCase{"HomeConfigWithoutXdg", false, "", "/home/u", "/home/u/.config/orvinta/Orvinta.cfg"},
                    PathCase{"RelativeXdgIsIgnored", false, "cfg", "/home/u", "/home/u/.config/orvinta/Orvinta.cfg"},
                    PathCase{"NowhereToKeepIt", false, "", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(ConfigStorage, PortableFileMustStandAndBeWritable) {
  TempFolder temp;
  setenv("XDG_CONFIG_HOME", temp.path().c_str(), 1);
  EXPECT_EQ(ConfigPathFor(temp.path().string()), temp / "orvinta/Orvinta.cfg");
  ASSERT_TRUE(WriteFileAtomically(temp / "Orvinta.cfg", ""));
  EXPECT_EQ(ConfigPathFor(temp.path().string()), temp / "Orvinta.cfg");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace orvinta::config
