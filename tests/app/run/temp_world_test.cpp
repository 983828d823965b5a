// The temporary world of a window: private to the user, its own for every window, gone with
// the window, and a left-over one of a killed window removed at the next start.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/run/temp_world.h"

namespace tumbo::app::test {
namespace {

namespace fs = std::filesystem;

// The number of a process that has just ended.
pid_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const std::string &value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> old_;
};

TEST(TempWorld, TwoWindowsNeverShareOneAndEachGoesWithItsWindow)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    auto first = std::make_unique<TTempWorld>(folder);
    TTempWorld second(folder);
    ASSERT_FALSE(first->FileName().empty());
    EXPECT_NE(first->FileName(), second.FileName());
    EXPECT_EQ(fs::path(first->FileName()).parent_path(), fs::path(folder));
    EXPECT_NE(first->FileName().find("-" + std::to_string(getpid()) + "-"), std::string::npos);
    const std::string gone = first->FileName();
    first.reset();
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_TRUE(fs::exists(second.FileName()));
}

TEST(TempWorld, LeftOverOfAKilledWindowIsRemovedAtTheNextStart)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    TTempWorld running(folder);
    const std::string ours = "-" + std::to_string(getpid()) + "-";
    std::string killed = running.FileName();
    killed.replace(killed.rfind(ours), ours.size(), "-" + std::to_string(EndedProcess()) + "-");
    // Another computer sharing the folder (a network home) keeps its own.
    const std::string otherHost = folder + "/tumbotmp-anderer_rechner-" + std::to_string(EndedProcess()) + "-1.tdw";
    std::ofstream(killed) << "Welt";
    std::ofstream(otherHost) << "Welt";

    TTempWorld next(folder);
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(otherHost));
    EXPECT_TRUE(fs::exists(running.FileName()));
}

TEST(TempWorld, PrivateFolderIsTheUsersOwnAndClosed)
{
    QTemporaryDir runtime, cache, elsewhere;
    const ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime.path().toStdString());
    const ScopedEnv cacheEnv("XDG_CACHE_HOME", cache.path().toStdString() + "/neu");
    const std::string inRuntime = runtime.path().toStdString() + "/tumbo";

    // Made when missing, and closed to others when it was open.
    EXPECT_EQ(TTempWorld::PrivateFolder(), inRuntime);
    ASSERT_EQ(chmod(inRuntime.c_str(), 0755), 0);
    EXPECT_EQ(TTempWorld::PrivateFolder(), inRuntime);
    struct stat st;
    ASSERT_EQ(stat(inRuntime.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A link planted in its place is not followed: the cache folder is used instead.
    fs::remove(inRuntime);
    fs::create_directory_symlink(elsewhere.path().toStdString(), inRuntime);
    EXPECT_EQ(TTempWorld::PrivateFolder(), cache.path().toStdString() + "/neu/tumbo");
    EXPECT_TRUE(fs::is_empty(elsewhere.path().toStdString()));
}

}  // namespace
}  // namespace tumbo::app::test
