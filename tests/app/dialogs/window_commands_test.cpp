// The dialog commands inside the main window: menu items open the dialogs and apply them.
#include "app/dialogs/dialog_commands.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <Qsci/qsciprinter.h>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dialogs/dlg_goto_line.h"
#include "app/dialogs/dlg_settings_e.h"
#include "app/dialogs/dlg_settings_k.h"
#include "app/help/dlg_about.h"
#include "app/help/dlg_tips.h"
#include "app/help/help_window.h"
#include "app/search/dlg_search_text.h"
#include "app/task/task_session.h"
#include "app/search/text_search.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/parser.h"
#include "modal.h"
#include "world/qt/spin_edit.h"
#include "world/welt.h"

using namespace tumbo::app;

namespace {

class WindowCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile ini(dir.filePath(QStringLiteral("tumbo.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Tips]\r\nShowTips=FALSE\r\n");
        ini.close();
        form = std::make_unique<TMainForm>(QStringList{QStringLiteral("/I") + dir.path()});
        // The window creates its dialog commands; made here when it does not (yet).
        commands = form->findChild<TDialogCommands *>();
        if (!commands)
            commands = new TDialogCommands(form.get());
        SetSearchBeep([this] { ++beeps; });
    }
    void TearDown() override
    {
        SetSearchBeep(nullptr);
        form.reset();
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    TDialogCommands *commands = nullptr;
    int beeps = 0;
};

TEST_F(WindowCommands, MenuItemsAreConnectedAndEnabled)
{
    ASSERT_NE(commands, nullptr);
    for (QAction *a : {form->Drucken1, form->Seitenansicht1, form->Druckereinrichten1, form->GehezuZeile1,
                       form->Suchen1, form->Ersetzen1, form->Weitersuchen1, form->EinstTumbo1,
                       form->EinstEditor1, form->Inhalt1, form->Tipps1, form->Programminfo1})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

// While a task is open the dialog shows the task's jump height and brick counting and does
// not let them be changed; OK keeps them.
TEST_F(WindowCommands, RobotSettingsShowTheOpenTasksValuesFixed)
{
    ASSERT_NE(commands, nullptr);
    ASSERT_TRUE(form->Tasks->OpenTask(QStringLiteral(TUMBO_FIXTURES_DIR "/kurs-klein/hoch.tda")));
    bool checked = false;
    WhenModal<TSettingsDlgK>([&checked](TSettingsDlgK *d) {
        EXPECT_EQ(d->speMaxJump->value(), 2);
        EXPECT_FALSE(d->speMaxJump->isEnabled());
        EXPECT_TRUE(d->chkZiegel->isChecked());
        EXPECT_FALSE(d->chkZiegel->isEnabled());
        EXPECT_FALSE(d->speMaxZiegel->isEnabled());
        EXPECT_TRUE(d->lblFixed->isVisible());
        checked = true;
        QTest::mouseClick(d->Button2, Qt::LeftButton);  // OK
    });
    form->EinstTumbo1->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(form->Welt().Robot.MaxJump, 2);
    form->Tasks->CloseTaskCommand();
    WhenModal<TSettingsDlgK>([](TSettingsDlgK *d) {
        EXPECT_EQ(d->speMaxJump->value(), 1);
        EXPECT_TRUE(d->speMaxJump->isEnabled());
        EXPECT_FALSE(d->lblFixed->isVisible());
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    form->EinstTumbo1->trigger();
}

TEST_F(WindowCommands, RobotSettingsReachRobotAndEngineOnOkOnly)
{
    ASSERT_NE(commands, nullptr);
    WhenModal<TSettingsDlgK>([](TSettingsDlgK *d) {
        d->TrackBar1->setValue(400);
        d->rgIError->button(2)->click();
        QTest::mouseClick(d->Button1, Qt::LeftButton);  // Abbrechen
    });
    form->EinstTumbo1->trigger();
    EXPECT_EQ(form->Parser().Delay, 0);
    EXPECT_TRUE(form->Parser().Hint);

    WhenModal<TSettingsDlgK>([](TSettingsDlgK *d) {
        d->TrackBar1->setValue(400);
        d->rgIError->button(2)->click();
        d->chkZiegel->setChecked(true);
        QTest::mouseClick(d->Button2, Qt::LeftButton);  // OK
    });
    form->EinstTumbo1->trigger();
    EXPECT_EQ(form->Parser().Delay, 400);
    EXPECT_FALSE(form->Parser().Hint);
    EXPECT_TRUE(form->Parser().StopOnError);
    EXPECT_TRUE(form->Welt().Robot.CheckBrick);
    EXPECT_EQ(form->Welt().Robot.MaxBrick, 1);  // 0 from the defaults shows and becomes 1
}

TEST_F(WindowCommands, EditorSettingsApplyTabWidthLineNumbersAndFontSize)
{
    ASSERT_NE(commands, nullptr);
    WhenModal<TSettingsDlgE>([](TSettingsDlgE *d) {
        d->speTabWidth->setValue(4);
        d->chkZNummern->setChecked(false);
        d->cbFontSize->setCurrentText(QStringLiteral("14"));
        d->chkDZNummern->setChecked(true);
        QTest::mouseClick(d->Button2, Qt::LeftButton);
    });
    form->EinstEditor1->trigger();
    EXPECT_EQ(form->Editor->tabWidth(), 4);
    EXPECT_FALSE(form->Editor->LineNumbersShown());
    EXPECT_EQ(commands->EditorFontSize(), 14);
    EXPECT_TRUE(form->CurrentSettings().PrintLineNumbers);
}

TEST_F(WindowCommands, SearchGotoTipsAndInformation)
{
    ASSERT_NE(commands, nullptr);
    form->Editor->setText(QStringLiteral("Programm\nSchritt\nSchritt\n*Programm\n"));
    form->Weitersuchen1->trigger();  // F3 before any search
    EXPECT_EQ(beeps, 1);

    WhenModal<TTextSearchDialog>([](TTextSearchDialog *d) {
        d->cbSearchText->setEditText(QStringLiteral("schritt"));
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    form->Suchen1->trigger();
    EXPECT_EQ(form->Editor->selectedText(), QStringLiteral("Schritt"));
    form->Weitersuchen1->trigger();
    int line = 0, index = 0;
    form->Editor->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(commands->Search.SearchHistory, QStringList{QStringLiteral("schritt")});

    WhenModal<TGotoDlg>([](TGotoDlg *d) {
        d->edtLine->setText(QStringLiteral("4"));
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    form->GehezuZeile1->trigger();
    form->Editor->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 3);

    commands->TipsForm->SetTipsFile(Fixture("tips_three.txt"));
    // The settings file has never named a tip: the first one comes first.
    QString tip;
    WhenModal<TTipsForm>([&tip](TTipsForm *t) {
        tip = t->TipText->text();
        QTest::mouseClick(t->btnOK, Qt::LeftButton);
    });
    form->Tipps1->trigger();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("[1]"))) << tip.toStdString();
    EXPECT_EQ(form->LastTip, 1);

    bool opened = false;
    WhenModal<TAbout_Box>([&opened](TAbout_Box *b) {
        opened = true;
        QTest::mouseClick(b->OKButton, Qt::LeftButton);
    });
    form->Programminfo1->trigger();
    EXPECT_TRUE(opened);

    form->Inhalt1->trigger();
    EXPECT_TRUE(commands->HelpWindow->isVisible());
    commands->HelpWindow->close();
}

TEST_F(WindowCommands, PrintGoesToTheCurrentPrinter)
{
    ASSERT_NE(commands, nullptr);
    form->Editor->setText(QStringLiteral("Programm\n  Schritt\n*Programm\n"));
    const QString pdf = dir.filePath(QStringLiteral("druck.pdf"));
    commands->Printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    commands->Printer.Printer().setOutputFileName(pdf);
    form->Drucken1->trigger();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

}  // namespace
