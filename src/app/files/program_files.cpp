// Loading and saving the program text of the editor.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/files/file_commands.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "text/cp1252.h"

namespace tumbo::app {

bool TFileCommands::LoadProgramFile(const QString &path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tumbo::text::DecodedText decoded;
    std::string error;
    const bool ok = tumbo::text::ReadTextFile(path.toStdString(), decoded, error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        form_.ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(error)));
        return false;
    }
    form_.ProgramFileName = path;
    form_.OpenPath = QFileInfo(path).absolutePath() + QLatin1Char('/');
    programFormat_ = decoded.Format;
    form_.Editor->setText(QString::fromStdString(decoded.Utf8));
    form_.Editor->ShowFromStart();
    form_.Editor->setModified(false);
    form_.Editor->setFocus();
    return true;
}

bool TFileCommands::WriteProgram(const QString &path)
{
    std::string error;
    tumbo::text::TextFormat written;
    if (!tumbo::text::WriteTextFile(path.toStdString(), form_.Editor->TrimmedText().toStdString(), programFormat_,
                                    error, &written)) {
        form_.ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(error)));
        return false;
    }
    programFormat_ = written;
    form_.Editor->setModified(false);
    return true;
}

bool TFileCommands::SaveProgram()
{
    if (form_.ProgramFileName.isEmpty())
        return SaveProgramAs();
    return WriteProgram(form_.ProgramFileName);
}

bool TFileCommands::SaveProgramAs()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Title = QStringLiteral("Programm speichern");
    request.Filter = QStringLiteral("Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*");
    request.DefaultSuffix = QStringLiteral("tdp");
    request.Directory = form_.OpenPath;
    request.FileName = form_.ProgramFileName;
    const QString name = WithDefaultSuffix(form_.AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return false;
    if (QFileInfo::exists(name) &&
        form_.Ask(QMessageBox::Question,
            QStringLiteral("Programm mit diesem Name existiert bereits,\nSoll es überschrieben werden ?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
        return false;
    if (!WriteProgram(name))
        return false;
    form_.ProgramFileName = name;
    form_.OpenPath = QFileInfo(name).absolutePath() + QLatin1Char('/');
    form_.RunControl().ResetInfoList();
    AddRecentProgram(name);
    return true;
}

}  // namespace tumbo::app
