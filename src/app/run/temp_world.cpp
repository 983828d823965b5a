#include "app/run/temp_world.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tumbo::app {
namespace {

namespace fs = std::filesystem;

// "tumbotmp-HOST-PID-N.tdw": the host, because a cache folder in a network home is shared by
// the computers of a school; the process, so that a left-over one can be told from a live
// one; N, because one process may show several windows.
const std::string kPrefix = "tumbotmp-";
const std::string kSuffix = ".tdw";

std::string HostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "localhost";
    std::string host(name);
    for (char &c : host)
        if (c == '-' || c == '/')
            c = '_';  // the name's parts stay apart
    return host;
}

// A folder of the user's own that nobody else may enter: made when missing, tightened when
// it is too open, refused when it is a link or belongs to someone else.
bool MakePrivate(const std::string &folder)
{
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(folder.c_str(), 0700) == 0;
}

std::string Env(const char *name)
{
    const char *value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

TTempWorld::TTempWorld() : TTempWorld(PrivateFolder()) {}

TTempWorld::TTempWorld(const std::string &folder)
{
    if (folder.empty())
        return;
    RemoveLeftOvers(folder);
    const std::string base = folder + "/" + kPrefix + HostName() + "-" + std::to_string(::getpid()) + "-";
    for (int n = 1; n < 1000; ++n) {
        const std::string name = base + std::to_string(n) + kSuffix;
        // Created empty, so that the next window of this process takes the next number.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            fileName_ = name;
            return;
        }
        if (errno != EEXIST)
            return;
    }
}

TTempWorld::~TTempWorld()
{
    if (!fileName_.empty())
        ::unlink(fileName_.c_str());
}

std::string TTempWorld::PrivateFolder()
{
    const std::string runtime = Env("XDG_RUNTIME_DIR");
    if (!runtime.empty() && MakePrivate(runtime + "/tumbo"))
        return runtime + "/tumbo";
    std::string cache = Env("XDG_CACHE_HOME");
    if (cache.empty() && !Env("HOME").empty())
        cache = Env("HOME") + "/.cache";
    if (cache.empty())
        return {};
    std::error_code ec;
    fs::create_directories(cache, ec);
    return MakePrivate(cache + "/tumbo") ? cache + "/tumbo" : std::string();
}

void TTempWorld::RemoveLeftOvers(const std::string &folder)
{
    const std::string ours = kPrefix + HostName() + "-";
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(ours) || !name.ends_with(kSuffix))
            continue;
        const std::string rest = name.substr(ours.size());
        char *after = nullptr;
        const long pid = std::strtol(rest.c_str(), &after, 10);
        if (pid <= 0 || *after != '-')
            continue;
        // Another user's process may run without our being allowed to signal it (EPERM):
        // only "no such process" means the window is gone.
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

}  // namespace tumbo::app
