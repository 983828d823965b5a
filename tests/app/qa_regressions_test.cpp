// Faults found by trying the window the way a pupil and a teacher use it.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/qt_translations.h"
#include "window_fixture.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

class QaRegressions : public WindowTest {};

// Qt's file, colour and print dialogs showed English captions and buttons in an otherwise
// German program.
TEST(QaTranslations, StandardDialogTextsAreGerman)
{
    const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    if (!QFileInfo::exists(file))
        GTEST_SKIP() << "Qt's German translations are not installed";
    ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    EXPECT_TRUE(InstallGermanQtTranslations(*qApp));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Speichern"));
    // The other tests of this program expect Qt's own texts.
    qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace

namespace {

const QString kSixSteps = QStringLiteral(
    "Programm\r\n  Schritt\r\n  Schritt\r\n  Schritt\r\n  LinksDrehen\r\n  LinksDrehen\r\n  Schritt\r\n*Programm\r\n");

// Stop during the pause after a statement returns the window to idle at once, while the
// stopped run still waits out its pause on the stack. Starting, checking or showing the
// chart in that moment compiled a new program under the old run, which then went on
// walking the freed statements.
TEST_F(QaRegressions, CommandsRightAfterStopDoNotRunInsideTheStoppedRun)
{
    using Command = std::function<void(TMainForm &)>;
    const std::vector<std::pair<const char *, Command>> commands = {
        {"Start", [](TMainForm &f) { f.StartCommand(); }},
        {"Schnelllauf", [](TMainForm &f) { f.FastCommand(); }},
        {"Einzelschritt", [](TMainForm &f) { f.SingleStepCommand(); }},
        {"Syntaxpruefung", [](TMainForm &f) { f.SyntaxCheckCommand(); }},
        {"Struktogramm", [](TMainForm &f) { f.Anzeigen1->trigger(); }},
    };
    for (const auto &[name, command] : commands) {
        SCOPED_TRACE(name);
        TMainForm &f = Open();
        SetProgram(kSixSteps);
        f.Parser().Delay = 600;
        int stoppedAtY = -1;
        RunScript([&] { f.StartCommand(); },
                  {[&] {
                       f.StopCommand();
                       stoppedAtY = f.Welt().Robot.Y;
                   },
                   [&, command = command] {
                       EXPECT_EQ(f.Parser().RunMode, 0);
                       command(f);
                       // Nothing was checked or shown either.
                       EXPECT_FALSE(InfoLines().contains(QStringLiteral("Kein Syntaxfehler")));
                       EXPECT_EQ(f.Anzeigen1->text(), QStringLiteral("Anzeigen"));
                   }},
                  60);
        // The stopped run went no further, and nothing else ran.
        EXPECT_EQ(f.Welt().Robot.Y, stoppedAtY);
        EXPECT_EQ(f.Parser().RunMode, 0);
        EXPECT_FALSE(f.RunOnStack());
        EXPECT_TRUE(f.Editor->EditingEnabled());
        // Once the stopped run has returned, the command works again.
        f.Parser().Delay = 0;
        bool ran = false;
        f.Parser().OnStep = [&, inner = f.Parser().OnStep] {
            ran = true;
            inner();
        };
        RunScript([&, command = command] { command(f); }, {[&] { f.StopCommand(); }});
        const bool checked = InfoLines().contains(QStringLiteral("Kein Syntaxfehler")) ||
                             f.Anzeigen1->text() == QStringLiteral("Ausblenden");
        EXPECT_TRUE(ran || checked);
        form_.reset();
    }
}

// Started with a program that has no world of its name, the information list named no
// program although one was loaded.
TEST_F(QaRegressions, StartProgramWithoutWorldIsNamedInTheInformationList)
{
    WriteFile(QStringLiteral("allein.tdp"), "Programm\r\n  Schritt\r\n*Programm\r\n");
    Open({QStringLiteral("/P") + Folder() + QStringLiteral("allein.tdp")});
    const QStringList lines = InfoLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Programm : ") + QFileInfo(Folder() + QStringLiteral("allein.tdp")).absoluteFilePath());
    EXPECT_EQ(lines[1], QStringLiteral("Welt : "));
}

}  // namespace
