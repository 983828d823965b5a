// Loading and saving the program text of the editor.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "text/cp1252.h"

namespace tumbo::app {

bool TMainForm::LoadProgramFile(const QString &path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tumbo::text::DecodedText decoded;
    std::string error;
    const bool ok = tumbo::text::ReadTextFile(path.toStdString(), decoded, error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(error)));
        return false;
    }
    ProgramFileName = path;
    OpenPath = QFileInfo(path).absolutePath() + QLatin1Char('/');
    programFormat_ = decoded.Format;
    Editor->setText(QString::fromStdString(decoded.Utf8));
    Editor->setModified(false);
    Editor->setFocus();
    return true;
}

bool TMainForm::WriteProgram(const QString &path)
{
    std::string error;
    tumbo::text::TextFormat written;
    if (!tumbo::text::WriteTextFile(path.toStdString(), Editor->TrimmedText().toStdString(), programFormat_,
                                    error, &written)) {
        ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(error)));
        return false;
    }
    programFormat_ = written;
    Editor->setModified(false);
    return true;
}

bool TMainForm::SaveProgram()
{
    if (ProgramFileName.isEmpty())
        return SaveProgramAs();
    return WriteProgram(ProgramFileName);
}

bool TMainForm::SaveProgramAs()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Title = QStringLiteral("Programm speichern");
    request.Filter = QStringLiteral("Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*");
    request.DefaultSuffix = QStringLiteral("tdp");
    request.Directory = OpenPath;
    request.FileName = ProgramFileName;
    const QString name = WithDefaultSuffix(AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return false;
    if (QFileInfo::exists(name) &&
        Ask(QMessageBox::Question,
            QStringLiteral("Programm mit diesem Name existiert bereits,\nSoll es überschrieben werden ?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
        return false;
    if (!WriteProgram(name))
        return false;
    ProgramFileName = name;
    OpenPath = QFileInfo(name).absolutePath() + QLatin1Char('/');
    runControl_->ResetInfoList();
    AddRecentProgram(name);
    return true;
}

QString TMainForm::ProgramFolder() const
{
    if (ProgramFileName.isEmpty())
        return {};
    return QFileInfo(ProgramFileName).absolutePath() + QLatin1Char('/');
}

}  // namespace tumbo::app
