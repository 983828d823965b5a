#include "text/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/write_faults.h"
#include "text/cp1252.h"

namespace fs = std::filesystem;
using tumbo::text::WriteFileAtomic;
using tumbo::text::WriteStep;

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
  size_t EntryCount() const { return EntryCount(dir_); }
  static size_t EntryCount(const fs::path& dir) {
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }
  static void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
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

// The safe writer itself as a writer under test: messages in UTF-8 as the table has them.
bool SaveThroughWriter(const std::string& path, std::string& error) {
  const bool ok = WriteFileAtomic(path, std::string(100000, 'x'), error);
  error = tumbo::text::Cp1252ToUtf8(error);
  return ok;
}

TEST_F(AtomicFile, EveryWriteFaultKeepsTheOldFileAndNamesFileAndReason) {
  tumbo::testing::ExpectEveryFaultKeepsTheOldFile(dir_, "welt.tdw", SaveThroughWriter);
}

TEST_F(AtomicFile, AFullDiskIsAnErrorAndKeepsTheOldFile) {
  if (!tumbo::testing::ExpectFullDiskKeepsTheOldFile(dir_ / "voll", "prog.tdp", SaveThroughWriter))
    GTEST_SKIP() << tumbo::testing::kCannotMount;
}

TEST_F(AtomicFile, RefusesWriteProtectedFilesFoldersAndSpecialFiles) {
  const fs::path protectedFile = dir_ / "fest.tdp";
  Write(protectedFile, "alt");
  fs::permissions(protectedFile, fs::perms::owner_read | fs::perms::group_read);
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(protectedFile.string(), "neu", error));
  EXPECT_NE(error.find("fest.tdp\" kann nicht geschrieben werden: Die Datei ist schreibgesch\xFCtzt."),
            std::string::npos) << error;
  EXPECT_EQ(Read(protectedFile), "alt");

  const fs::path fifo = dir_ / "rohr.tdw";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomic(fifo.string(), "neu", error));
  EXPECT_NE(error.find("keine gew\xF6hnliche Datei"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_fifo(fifo));

  EXPECT_FALSE(WriteFileAtomic((dir_ / "ordner/").string(), "neu", error));
  EXPECT_NE(error.find("Das ist ein Ordner"), std::string::npos) << error;
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(AtomicFile, FollowsTheUsersOwnLinksAlsoDanglingAndChained) {
  const fs::path real = dir_ / "echt.tdw";
  fs::create_symlink("echt.tdw", dir_ / "eins.tdw");  // relative, not yet pointing anywhere
  fs::create_symlink(dir_ / "eins.tdw", dir_ / "zwei.tdw");
  std::string error;
  ASSERT_TRUE(WriteFileAtomic((dir_ / "zwei.tdw").string(), "neu", error)) << error;
  EXPECT_EQ(Read(real), "neu");
  EXPECT_TRUE(fs::is_symlink(dir_ / "eins.tdw"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "zwei.tdw"));

  fs::create_symlink("kreis.tdw", dir_ / "kreis.tdw");
  EXPECT_FALSE(WriteFileAtomic((dir_ / "kreis.tdw").string(), "neu", error));
  EXPECT_NE(error.find("Verkn\xFCpfungen"), std::string::npos) << error;
}

// In a folder like /tmp anybody may plant a link to a file of the victim.
TEST_F(AtomicFile, NeverFollowsAStrangersLinkInASharedStickyFolder) {
  const fs::path shared = dir_ / "tmp";
  fs::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const fs::path victim = dir_ / "aufsatz.tdp";
  Write(victim, "wichtig");
  const fs::path planted = shared / "tumbotmp.tdw";
  fs::create_symlink(victim, planted);
  const uid_t stranger = ::geteuid() == 4711 ? 4712 : 4711;
  if (::lchown(planted.c_str(), stranger, gid_t(-1)) != 0)
    GTEST_SKIP() << "giving the link to another user needs root";
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(planted.string(), "boese", error));
  EXPECT_NE(error.find("Die Verkn\xFCpfung geh\xF6rt einem anderen Benutzer"), std::string::npos) << error;
  EXPECT_EQ(Read(victim), "wichtig");
  EXPECT_TRUE(fs::is_symlink(planted));

  // The user's own link in the same folder is followed.
  ASSERT_EQ(::lchown(planted.c_str(), ::geteuid(), gid_t(-1)), 0);
  ASSERT_TRUE(WriteFileAtomic(planted.string(), "neu", error)) << error;
  EXPECT_EQ(Read(victim), "neu");
}

TEST_F(AtomicFile, TemporaryFileCarriesARecognisableNameBesideTheTarget) {
  const fs::path target = dir_ / "welt.tdw";
  std::vector<std::string> seen;
  tumbo::text::SetWriteFaultHook([&](WriteStep step) {
    if (step == WriteStep::Rename)
      for (const auto& e : fs::directory_iterator(dir_)) seen.push_back(e.path().filename().string());
    return 0;
  });
  std::string error;
  const bool ok = WriteFileAtomic(target.string(), "neu", error);
  tumbo::text::SetWriteFaultHook({});
  ASSERT_TRUE(ok) << error;
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].starts_with(".welt.tdw.tumbo-")) << seen[0];
  EXPECT_TRUE(seen[0].ends_with(".tmp")) << seen[0];
}

TEST_F(AtomicFile, RemovesOwnLeftoversOlderThanAMinuteBesideTheFileItSaves) {
  auto leftover = [&](const std::string& name, int ageSeconds) {
    Write(dir_ / name, "halb");
    const timeval t[2] = {{time(nullptr) - ageSeconds, 0}, {time(nullptr) - ageSeconds, 0}};
    ::utimes((dir_ / name).c_str(), t);
  };
  leftover(".welt.tdw.tumbo-Ab12Cd.tmp", 120);   // killed save: goes
  leftover(".welt.tdw.tumbo-Xy34Zw.tmp", 5);     // a save running right now: stays
  leftover(".prog.tdp.tumbo-Ab12Cd.tmp", 120);   // another file's: stays
  leftover(".welt.tdw.tumbo-kurz.tmp", 120);     // not our pattern: stays
  std::string error;
  ASSERT_TRUE(WriteFileAtomic((dir_ / "welt.tdw").string(), "neu", error)) << error;
  EXPECT_FALSE(fs::exists(dir_ / ".welt.tdw.tumbo-Ab12Cd.tmp"));
  EXPECT_TRUE(fs::exists(dir_ / ".welt.tdw.tumbo-Xy34Zw.tmp"));
  EXPECT_TRUE(fs::exists(dir_ / ".prog.tdp.tumbo-Ab12Cd.tmp"));
  EXPECT_TRUE(fs::exists(dir_ / ".welt.tdw.tumbo-kurz.tmp"));
}

TEST_F(AtomicFile, SavesFilesWithTheLongestNamesAFolderTakes) {
  const fs::path target = dir_ / (std::string(NAME_MAX - 4, 'a') + ".tdp");
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(target.string(), "eins", error)) << error;
  ASSERT_TRUE(WriteFileAtomic(target.string(), "zwei", error)) << error;
  EXPECT_EQ(Read(target), "zwei");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFile, KeepsTheGroupOfTheFileItReplaces) {
  const fs::path target = dir_ / "prog.tdp";
  Write(target, "alt");
  const gid_t other = ::getegid() == 4711 ? 4712 : 4711;
  if (::chown(target.c_str(), uid_t(-1), other) != 0) GTEST_SKIP() << "changing the group needs root";
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(target.string(), "neu", error)) << error;
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_gid, other);
}

TEST_F(AtomicFile, TemporaryFileBesideTheTargetForWritersWithTheirOwnOutput) {
  std::string error;
  const std::string temp = tumbo::text::CreateTempFileBeside((dir_ / "druck.pdf").string(), error);
  ASSERT_FALSE(temp.empty()) << error;
  EXPECT_EQ(fs::path(temp).parent_path(), dir_);
  EXPECT_TRUE(fs::path(temp).filename().string().starts_with(".druck.pdf.tumbo-"));
  EXPECT_TRUE(fs::is_regular_file(temp));
  EXPECT_FALSE(fs::exists(dir_ / "druck.pdf"));

  EXPECT_TRUE(tumbo::text::CreateTempFileBeside((dir_ / "fehlt" / "druck.pdf").string(), error).empty());
  EXPECT_NE(error.find("nicht gefunden"), std::string::npos) << error;
}
