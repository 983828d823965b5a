#include "text/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using tumbo::text::WriteFileAtomic;

namespace {

class AtomicFile : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tumbo_atomic_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t EntryCount() const {
    return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

}  // namespace

TEST_F(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
  const fs::path target = dir_ / "welt.tdw";
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(target.string(), "eins", error)) << error;
  EXPECT_EQ(Read(target), "eins");
  ASSERT_TRUE(WriteFileAtomic(target.string(), std::string("zw\0ei", 5), error)) << error;
  EXPECT_EQ(Read(target), std::string("zw\0ei", 5));
  ASSERT_TRUE(WriteFileAtomic(target.string(), "", error)) << error;
  EXPECT_EQ(Read(target), "");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, KeepsThePermissionsOfTheFileItReplaces) {
  const fs::path target = dir_ / "prog.tdp";
  std::ofstream(target) << "alt";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(target.string(), "neu", error)) << error;
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFile, ReplacesTheTargetOfASymbolicLinkAndKeepsTheLink) {
  const fs::path real = dir_ / "echt.tdw";
  const fs::path link = dir_ / "link.tdw";
  std::ofstream(real) << "alt";
  fs::create_symlink(real, link);
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(link.string(), "neu", error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(real), "neu");
}

TEST_F(AtomicFile, FailureNamesTheFileAndLeavesNothingBehind) {
  std::string error;
  const fs::path missing = dir_ / "gibtsnicht" / "welt.tdw";
  EXPECT_FALSE(WriteFileAtomic(missing.string(), "x", error));
  EXPECT_NE(error.find("welt.tdw"), std::string::npos) << error;
  EXPECT_NE(error.find("nicht gefunden"), std::string::npos) << error;

  EXPECT_FALSE(WriteFileAtomic(dir_.string(), "x", error));  // a folder
  EXPECT_EQ(EntryCount(), 0u);

  if (::geteuid() != 0) {  // root may write anywhere
    const fs::path target = dir_ / "fest.tdw";
    std::ofstream(target) << "alt";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileAtomic(target.string(), "neu", error));
    EXPECT_NE(error.find("Dateizugriff verweigert"), std::string::npos) << error;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(Read(target), "alt");
    EXPECT_EQ(EntryCount(), 1u);
  }
}
