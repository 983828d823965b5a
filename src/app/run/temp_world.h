#pragma once
// The temporary world of a window: the world as it was when the last run started, kept so
// that "Welt wiederherstellen" can bring it back. It lives in a folder private to the user
// and carries the window's own name, so that neither another user (on a shared school PC)
// nor another window ever reads or blocks it. The window removes it when it closes; one left
// behind by a killed window is removed by the next window that starts.
#include <string>

namespace tumbo::app {

class TTempWorld {
public:
    // Claims a new file name in `folder` (by default the user's private folder, see
    // PrivateFolder). FileName() is empty when no private folder can be had.
    TTempWorld();
    explicit TTempWorld(const std::string &folder);
    // Removes the file.
    ~TTempWorld();
    TTempWorld(const TTempWorld &) = delete;
    TTempWorld &operator=(const TTempWorld &) = delete;

    const std::string &FileName() const { return fileName_; }

    // $XDG_RUNTIME_DIR/tumbo, else $XDG_CACHE_HOME/tumbo (~/.cache/tumbo): created with mode
    // 0700 and used only when it is a real folder of the user's own that nobody else may
    // enter. Empty when there is none.
    static std::string PrivateFolder();
    // Removes the temporary worlds in `folder` whose window (a process on this computer)
    // no longer runs.
    static void RemoveLeftOvers(const std::string &folder);

private:
    std::string fileName_;
};

}  // namespace tumbo::app
