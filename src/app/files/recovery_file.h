#pragma once
// The crash-recovery file of a window: while the program in the editor has unsaved
// changes, its text is kept in a file of the settings folder, so that a crash or a
// killed process loses at most a few seconds of typing. Each window writes its own file
// and holds a lock beside it; a file whose lock nobody holds any more was left behind
// by a window that did not close normally, and the next start offers it.
#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "text/text_file.h"

namespace tumbo::app {

struct RecoveredProgram {
    QString ProgramFileName;  // empty for a program that never had a name
    tumbo::text::TextFormat Format;
    QDateTime Saved;
    QString Text;
};

// A file left by a window that is gone, claimed by this window: while its lock is held no other
// window offers the same text, also one that starts at the same moment.
struct LeftBehindFile {
    QString FileName;
    std::unique_ptr<QLockFile> Lock;  // released when this goes
};

class TRecoveryFile : public QObject {
public:
    // Claims a file name of its own in `folder`, which is made private to the user (created
    // with mode 0700 when missing, tightened when wider; not usable when it belongs to someone
    // else). The file and its lock are readable by their owner only (0600).
    explicit TRecoveryFile(const QString &folder, QObject *parent = nullptr);
    // Releases the lock; the file stays (only Remove deletes it).
    ~TRecoveryFile() override;

    // False when no lock could be taken (the folder is not writable): then nothing is kept.
    bool Usable() const { return lock_ != nullptr; }
    QString FileName() const { return fileName_; }

    // Replaces the file atomically with the program.
    bool Write(const RecoveredProgram &program);
    void Remove();

    // The files in `folder` left by windows that are gone, newest first, each claimed.
    static std::vector<LeftBehindFile> LeftBehind(const QString &folder);
    static std::optional<RecoveredProgram> Read(const QString &fileName);
    // Deletes a file found by LeftBehind (and its stale lock).
    static void Discard(const QString &fileName);

    static constexpr int MaxAgeMs = 2000;  // the text kept is at most this old (plus the write)

private:
    QString fileName_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace tumbo::app
