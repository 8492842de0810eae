// Creating objects by ProgID: in-process factories, and where plugins are
// looked for and where never.
#include "automation/factory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "automation/driver.h"
#include "test_env.h"

namespace lk40::automation {
namespace {

using testing::kPluginDir;
using testing::ScopedChdir;
using testing::ScopedEnv;
using testing::ScratchDir;
using Folders = std::vector<std::string>;

class Fake : public Dispatch {
 public:
  std::optional<DispId> idOfName(std::string_view) override { return std::nullopt; }
  Variant invoke(DispId, InvokeKind, const Variant*) override { return Variant(); }
};

std::string creationErrorOf(const std::string& progId) {
  try {
    createObject(progId);
  } catch (const CreationError& e) {
    return e.what();
  }
  ADD_FAILURE() << "created an object for " << progId;
  return {};
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A copy of the sound plugin under another ProgID, in a folder of its own.
class MovedPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.path().empty());
    std::filesystem::copy_file(kPluginDir + "/Test.Good.so", dir.path() + "/Test.Moved.so");
  }
  ScratchDir dir;
};

TEST(SearchPath, DriverPathEnvironmentIsExclusiveAndAbsoluteOnly) {
  const ScopedEnv env("LK40_DRIVER_PATH", "/a::/b:relative:./x:../y:/c/:");
  EXPECT_EQ(driverSearchPath(), (Folders{"/a", "/b", "/c/"}));
}

TEST(SearchPath, EmptyDriverPathSearchesNothing) {
  const ScopedEnv env("LK40_DRIVER_PATH", "");
  EXPECT_TRUE(driverSearchPath().empty());
  EXPECT_TRUE(contains(creationErrorOf("AddIn.DrvTarvo"), "AddIn.DrvTarvo"));
}

TEST(SearchPath, DefaultsAreUserExecutableAndInstallFolders) {
  const ScopedEnv env("LK40_DRIVER_PATH", std::nullopt);
  const ScopedEnv data("XDG_DATA_HOME", "/xdg/data");
  const std::filesystem::path exeFolder =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  // The install folder seen from this executable, as if it were installed.
  const std::string installed =
      (exeFolder / LK40_INSTALL_DRIVER_DIR_FROM_BIN).lexically_normal().string();
  ASSERT_EQ(std::string(LK40_INSTALL_DRIVER_DIR_FROM_BIN).rfind("../", 0), 0u);
  EXPECT_EQ(driverSearchPath(), (Folders{"/xdg/data/lk40-drvtest/drivers",
                                         exeFolder.string() + "/drivers", installed,
                                         LK40_INSTALL_DRIVER_DIR}));
}

TEST(SearchPath, PerUserFolderFallsBackToHome) {
  const ScopedEnv env("LK40_DRIVER_PATH", std::nullopt);
  const ScopedEnv home("HOME", "/home/op");
  const std::string expected = "/home/op/.local/share/lk40-drvtest/drivers";
  {
    const ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(driverSearchPath().front(), expected);
  }
  {
    const ScopedEnv data("XDG_DATA_HOME", "relative/data");  // not a valid value
    EXPECT_EQ(driverSearchPath().front(), expected);
  }
}

TEST(InProcessFactory, WinsOverPluginUntilUnregistered) {
  const ScopedEnv env("LK40_DRIVER_PATH", kPluginDir);
  const auto fake = std::make_shared<Fake>();
  registerFactory("Test.Good", [fake] { return fake; });
  EXPECT_EQ(createObject("Test.Good"), fake);
  EXPECT_EQ(createObject("TEST.GOOD"), fake);  // ProgIDs ignore case

  unregisterFactory("Test.Good");
  const auto fromPlugin = createObject("Test.Good");
  EXPECT_NE(fromPlugin, fake);
  EXPECT_EQ(Driver(fromPlugin).getText("ProgId"), "Test.Good");

  registerFactory("Test.Good", [fake] { return fake; });
  registerFactory("Test.Good", Factory());  // an empty factory removes too
  EXPECT_NE(createObject("Test.Good"), fake);
}

TEST(InProcessFactory, ThatCreatesNothingIsACreationError) {
  registerFactory("Test.Nothing", [] { return std::shared_ptr<Dispatch>(); });
  EXPECT_TRUE(contains(creationErrorOf("Test.Nothing"), "Test.Nothing"));
  unregisterFactory("Test.Nothing");
}

TEST(Discovery, NotFoundListsProgIdAndFolders) {
  const ScopedEnv env("LK40_DRIVER_PATH", "/nonexistent/one:/nonexistent/two");
  const std::string text = creationErrorOf("Test.Missing");
  EXPECT_TRUE(contains(text, "Test.Missing")) << text;
  EXPECT_TRUE(contains(text, "/nonexistent/one, /nonexistent/two")) << text;
}

TEST(Discovery, ProgIdMustBeAPlainFileName) {
  const ScopedEnv env("LK40_DRIVER_PATH", kPluginDir);
  const std::string up = "../" + std::filesystem::path(kPluginDir).filename().string() +
                         "/Test.Good";
  ASSERT_TRUE(std::filesystem::exists(kPluginDir + "/" + up + ".so"));
  for (const std::string& bad : {up, std::string("Test/Good"), std::string(""),
                                 std::string(".hidden")}) {
    EXPECT_TRUE(contains(creationErrorOf(bad), "is not a valid ProgID")) << bad;
  }
}

TEST_F(MovedPlugin, IsFoundOnlyThroughItsOwnFolder) {
  {
    const ScopedEnv env("LK40_DRIVER_PATH", kPluginDir);
    EXPECT_TRUE(contains(creationErrorOf("Test.Moved"), kPluginDir));
  }
  {
    const ScopedEnv env("LK40_DRIVER_PATH", "/nonexistent:" + dir.path());
    EXPECT_EQ(Driver(createObject("Test.Moved")).getText("ProgId"), "Test.Moved");
  }
}

TEST_F(MovedPlugin, IsNeverFoundInTheCurrentFolder) {
  const ScopedChdir here(dir.path());
  for (const std::string& path : {kPluginDir, std::string("."), std::string(""),
                                  std::string("./:.")}) {
    const ScopedEnv env("LK40_DRIVER_PATH", path);
    EXPECT_TRUE(contains(creationErrorOf("Test.Moved"), "Test.Moved")) << path;
  }
  // Nor by default, with the per-user folder somewhere else.
  const ScratchDir elsewhere;
  const ScopedEnv env("LK40_DRIVER_PATH", std::nullopt);
  const ScopedEnv data("XDG_DATA_HOME", elsewhere.path());
  EXPECT_TRUE(contains(creationErrorOf("Test.Moved"), elsewhere.path()));
}

}  // namespace
}  // namespace lk40::automation
