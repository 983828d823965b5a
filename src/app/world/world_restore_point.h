#pragma once
// The world as it was before a command replaced it ("Welt löschen", "Neue Welt", opening a
// world over a changed one), so that "Welt wiederherstellen" can bring it back, with the
// name of its file. It is kept in memory, once: the next such command replaces it, and a
// run gives it up, because after a run the world from before the run is the one to restore.
#include <QString>

#include <optional>
#include <string>

class TWelt;

namespace tumbo::app {

class TWorldRestorePoint {
public:
    // Keeps `world` and the name of its file (empty for none).
    void Keep(const TWelt &world, const QString &fileName);
    // Keeps `world` only when it differs from its file; without a file, when it holds anything.
    void KeepIfUnsaved(const TWelt &world, const QString &fileName);
    void Forget() { kept_.reset(); }
    bool Empty() const { return !kept_; }
    // Puts the kept world back into `world` and gives its file name; the point is used up.
    // Empty when nothing is kept.
    std::optional<QString> Restore(TWelt &world);

private:
    struct Kept {
        std::string text;
        QString fileName;
    };
    std::optional<Kept> kept_;
};

}  // namespace tumbo::app
