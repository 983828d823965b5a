#include "app/files/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace tumbo::app {

QStringList QtNameFilters(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; a description that already shows
        // them is taken as it is.
        if (description.contains(QLatin1Char('(')))
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

namespace {

// The single extension of a filter such as "Windows Bitmap (*.bmp)"; empty for "*.*".
QString FilterSuffix(const QString &filter)
{
    static const QRegularExpression single(QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)$"));
    const auto m = single.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

QString ShowFileDialog(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.Title, request.Directory);
    const QStringList filters = QtNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    // Qt's own dialog opens so small that the names, sizes and dates are cut off.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 480)));
    if (request.DialogKind == FileDialogRequest::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else if (request.DialogKind == FileDialogRequest::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(request.DefaultSuffix);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString &f) {
            const QString suffix = FilterSuffix(f);
            dialog.setDefaultSuffix(suffix.isEmpty() ? request.DefaultSuffix : suffix);
        });
    }
    // A pattern as the proposed name only chooses the filter.
    if (!request.FileName.isEmpty() && !request.FileName.contains(QLatin1Char('*')))
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

QString WithDefaultSuffix(const QString &name, const QString &suffix)
{
    if (name.isEmpty() || suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + suffix;
}

QString FindFileIgnoringCase(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    QString found;
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            return {};  // more than one spelling: none is the one
        found = dir.filePath(entry);
    }
    return found;
}

}  // namespace tumbo::app
