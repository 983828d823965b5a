#pragma once
// Where the program finds the files it ships (tipps.txt, license.txt, hilfe/ …):
// beside the executable first, then in the installed data folder.
#include <QString>
#include <QStringList>

namespace tumbo::app {

// The places looked at for `relative` by a program in `exeFolder`, in order: beside it,
// in <prefix>/share/tumbo for a program in <prefix>/bin, then in "tumbo/" under each of
// the system's data folders `dataFolders` (as $XDG_DATA_DIRS names them).
QStringList DataFileCandidatesFor(const QString &exeFolder, const QString &relative,
                                  const QStringList &dataFolders);
// The same for the running program.
QStringList DataFileCandidates(const QString &relative);

// The first of `candidates` that exists; the first one when none does (so a message can
// name the place beside the executable).
QString FirstExistingDataFile(const QStringList &candidates);
// The same for the running program's candidates for `relative`.
QString FindDataFile(const QString &relative);

}  // namespace tumbo::app
