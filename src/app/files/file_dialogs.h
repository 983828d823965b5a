#pragma once
// The window's open and save dialogs. Every command describes its dialog as a request;
// the window runs it through a replaceable function, so tests can answer without a
// modal dialog.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tumbo::app {

struct FileDialogRequest {
    enum Kind { Open, Save, Folder };  // Folder: an existing folder, no filter
    Kind DialogKind = Open;
    QString Title;
    // Pairs of description and pattern separated by vertical bars:
    // "Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*".
    QString Filter;
    QString DefaultSuffix;  // without the dot; empty for none
    QString Directory;      // the folder the dialog starts in
    QString FileName;       // proposed name; may be a pattern such as "*.bmp"
};

// Returns the chosen file (absolute path) or an empty string when cancelled.
using FileDialogFunction = std::function<QString(const FileDialogRequest &)>;

// "Beschreibung|*.ext|…" as Qt's name filters ("Beschreibung (*.ext)").
QStringList QtNameFilters(const QString &pairs);

// The real dialog: an open dialog wants an existing file; a save dialog never asks about
// overwriting (the commands ask after it closes). The default suffix follows the
// chosen filter when that filter names one extension.
QString ShowFileDialog(QWidget *parent, const FileDialogRequest &request);

// `name` with ".suffix" appended when it has no extension.
QString WithDefaultSuffix(const QString &name, const QString &suffix);

// The file `name` in `folder`: the exact name when it exists, else the one entry whose
// name matches without regard to case; empty when there is none.
QString FindFileIgnoringCase(const QString &folder, const QString &name);

}  // namespace tumbo::app
