#pragma once
// Where the program finds the files it ships (tipps.txt, license.txt, hilfe/ …):
// beside the executable first, then in the installed data folder.
#include <QString>
#include <QStringList>

namespace tumbo::app {

// The places looked at for `relative`, in order.
QStringList DataFileCandidates(const QString &relative);

// The first candidate that exists; the one beside the executable when none does
// (so a message can name it).
QString FindDataFile(const QString &relative);

}  // namespace tumbo::app
