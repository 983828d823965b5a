#include "app/dialogs/dialog_commands.h"

#include <QAction>

#include "app/dialogs/dlg_goto_line.h"
#include "app/dialogs/dlg_settings_e.h"
#include "app/dialogs/dlg_settings_k.h"
#include "app/help/dlg_about.h"
#include "app/help/dlg_tips.h"
#include "app/help/help_window.h"
#include "app/search/text_search.h"
#include "app/task/task_session.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "editor/qt/tumbo_lexer.h"

namespace tumbo::app {

TDialogCommands::TDialogCommands(TMainForm *form) : QObject(form), form_(form)
{
    // The dialogs live as long as the window and are filled anew at each opening.
    SettingsDlgE = new TSettingsDlgE(form);
    SettingsDlgK = new TSettingsDlgK(form);
    GotoDlg = new TGotoDlg(form);
    TipsForm = new TTipsForm(form);
    AboutBox = new TAbout_Box(form);
    HelpWindow = new THelpWindow(form);

    const struct {
        QAction *action;
        void (TDialogCommands::*command)();
    } commands[] = {
        {form->Drucken1, &TDialogCommands::PrintCommand},
        {form->Seitenansicht1, &TDialogCommands::PrintPreviewCommand},
        {form->Druckereinrichten1, &TDialogCommands::PrinterSetupCommand},
        {form->GehezuZeile1, &TDialogCommands::GotoLineCommand},
        {form->Suchen1, &TDialogCommands::SearchCommand},
        {form->Ersetzen1, &TDialogCommands::ReplaceCommand},
        {form->Weitersuchen1, &TDialogCommands::SearchNextCommand},
        {form->EinstTumbo1, &TDialogCommands::RobotSettingsCommand},
        {form->EinstEditor1, &TDialogCommands::EditorSettingsCommand},
        {form->Inhalt1, &TDialogCommands::HelpCommand},
        {form->Tipps1, &TDialogCommands::TipsCommand},
        {form->Programminfo1, &TDialogCommands::AboutCommand},
    };
    for (const auto &c : commands) {
        if (!c.action)
            continue;
        connect(c.action, &QAction::triggered, this, c.command);
        c.action->setEnabled(true);
    }
}

TDialogCommands::~TDialogCommands() = default;

void TDialogCommands::PrintCommand()
{
    const TumboSettings s = form_->CurrentSettings();
    Printer.SetLineNumbers(s.PrintLineNumbers);
    Printer.SetColor(s.PrintColor);
    QString error;
    if (!Printer.Print(form_, form_->Editor->text(), &error) && !error.isEmpty())
        form_->ShowError(error);
}

void TDialogCommands::PrintPreviewCommand()
{
    const TumboSettings s = form_->CurrentSettings();
    Printer.SetLineNumbers(s.PrintLineNumbers);
    Printer.SetColor(s.PrintColor);
    Printer.Preview(form_, form_->Editor->text());
}

void TDialogCommands::PrinterSetupCommand()
{
    Printer.Setup(form_);
}

void TDialogCommands::GotoLineCommand()
{
    GotoDlg->Execute(form_->Editor);
}

void TDialogCommands::SearchCommand()
{
    RunSearchCommand(form_, form_->Editor, Search, false);
}

void TDialogCommands::ReplaceCommand()
{
    RunSearchCommand(form_, form_->Editor, Search, true);
}

void TDialogCommands::SearchNextCommand()
{
    SearchNext(form_->Editor, Search);
}

void TDialogCommands::RobotSettingsCommand()
{
    TumboSettings s = form_->CurrentSettings();
    SettingsDlgK->Load(s);
    SettingsDlgK->SetRobotFieldsFixed(form_->Tasks && form_->Tasks->HasTask()
                                          ? QStringLiteral("Sprunghöhe und Ziegel legt die offene Aufgabe fest.")
                                          : QString());
    if (SettingsDlgK->exec() != QDialog::Accepted)
        return;
    SettingsDlgK->Store(s);
    form_->ApplySettings(s);
}

void TDialogCommands::EditorSettingsCommand()
{
    TumboSettings s = form_->CurrentSettings();
    SettingsDlgE->Load(s, fontSize_);
    if (SettingsDlgE->exec() != QDialog::Accepted)
        return;
    SettingsDlgE->Store(s);
    form_->ApplySettings(s);
    SetEditorFontSize(SettingsDlgE->FontSize());
}

void TDialogCommands::SetEditorFontSize(int points)
{
    fontSize_ = points;
    QFont font = form_->Editor->font();
    font.setPointSize(points);
    if (auto *lexer = qobject_cast<tumbo::editor::TumboLexer *>(form_->Editor->lexer()))
        lexer->setBaseFont(font);
    else
        form_->Editor->setFont(font);
    form_->Editor->SetLineNumberFont(font);
}

void TDialogCommands::HelpCommand()
{
    HelpWindow->ShowContents();
}

void TDialogCommands::TipsCommand()
{
    TumboSettings s = form_->CurrentSettings();
    TipsForm->Execute(s);
    form_->ShowTips = s.ShowTips;
    form_->LastTip = s.LastTip;
}

void TDialogCommands::AboutCommand()
{
    AboutBox->exec();
}

}  // namespace tumbo::app
