// The structure chart in the main window: show, hide, the controls of both views, and the
// picture in the paint box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "app/window/chart_mode.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/parser.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

class ChartWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        // The chart at its own size; a fresh window would fit it into the pane.
        QFile ini(dir_.filePath(QStringLiteral("tumbo.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Sizes]\r\nViewScale=100\r\n");
        ini.close();
        form_ = std::make_unique<TMainForm>(QStringList{QStringLiteral("/I") + dir_.path()});
        form_->MessageBoxHook = [this](QMessageBox::Icon, const QString &text, QMessageBox::StandardButtons) {
            messages_ << text;
            return QMessageBox::No;
        };
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        chart_ = form_->findChild<ChartMode *>();
        ASSERT_TRUE(chart_);
    }

    QWidget *Control(const char *name) const { return form_->findChild<QWidget *>(QString::fromLatin1(name)); }
    bool Shown(const char *name) const
    {
        QWidget *w = Control(name);
        EXPECT_TRUE(w) << name;
        return w && !w->isHidden();
    }
    QAction *Menu(const QString &title) const
    {
        for (QAction *a : form_->menuBar()->actions())
            if (a->text() == title)
                return a;
        return nullptr;
    }
    QString WorldCaption() const
    {
        return form_->findChild<QLabel *>(QStringLiteral("CaptionWelt"))->text();
    }
    void SetProgram(const QString &text) { form_->Editor->setText(text); }

    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> form_;
    ChartMode *chart_ = nullptr;
    QStringList messages_;
};

// Types a file name into the save dialog that the next command opens.
void AnswerSaveDialog(const QString &fileName)
{
    QTimer::singleShot(0, [fileName] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), "Struktogramm speichern");
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(fileName);
        static_cast<QDialog *>(dialog)->accept();
    });
}

TEST_F(ChartWindow, ShowingAndHidingSwitchesTheWindow)
{
    SetProgram(QStringLiteral("wiederhole 3 mal\r\n  Schritt\r\n*wiederhole\r\n"));
    ASSERT_TRUE(form_->Anzeigen1->isEnabled());
    form_->Anzeigen1->trigger();

    EXPECT_EQ(form_->Anzeigen1->text(), "Ausblenden");
    EXPECT_TRUE(Shown("pbDiagramm"));
    EXPECT_TRUE(form_->imgTumbo3D->isHidden());
    EXPECT_TRUE(form_->pbTumbo2D->isHidden());
    EXPECT_EQ(WorldCaption(), "Struktogramm");
    for (const char *name : {"btnDiagrEnde", "btnDiagrSpeichern", "btnDiagrKopieren", "btnDiagrDrucken", "btnProgNeu",
                             "btnSyntax"})
        EXPECT_TRUE(Shown(name)) << name;
    for (const char *name : {"btnTumboVor", "btnWeltLoeschen", "btnAblaufNormal", "btnAblaufStopp", "ProgLamp"})
        EXPECT_FALSE(Shown(name)) << name;
    EXPECT_FALSE(Menu("&Welt")->isEnabled());
    EXPECT_FALSE(Menu("&Ablauf")->isEnabled());
    EXPECT_TRUE(form_->StruktSpeichern1->isEnabled());
    EXPECT_TRUE(form_->StruktKopieren1->isEnabled());
    EXPECT_TRUE(form_->StruktDrucken1->isEnabled());
    // The paint box has the estimated size, the scroll range 20 and 10 more.
    EXPECT_EQ(form_->pbDiagramm->size(), QSize(230, 128));
    EXPECT_EQ(form_->ScrollContent->size(), QSize(250, 138));
    const QImage picture = form_->pbDiagramm->grab().toImage();
    EXPECT_EQ(picture.pixelColor(5, 50), QColor(Qt::black)); // left border of the loop

    static_cast<QToolButton *>(Control("btnDiagrEnde"))->click();
    EXPECT_EQ(form_->Anzeigen1->text(), "Anzeigen");
    EXPECT_FALSE(Shown("pbDiagramm"));
    EXPECT_FALSE(form_->imgTumbo3D->isHidden());
    EXPECT_EQ(WorldCaption(), "Welt");
    EXPECT_TRUE(Shown("btnTumboVor"));
    EXPECT_TRUE(Shown("btnAblaufNormal"));
    EXPECT_FALSE(Shown("btnDiagrEnde"));
    EXPECT_TRUE(Menu("&Welt")->isEnabled());
    EXPECT_TRUE(Menu("&Ablauf")->isEnabled());
    EXPECT_FALSE(form_->StruktSpeichern1->isEnabled());
    EXPECT_FALSE(chart_->Chart.Valid);
}

TEST_F(ChartWindow, SaveWritesTheFileAndReportsFailuresInTheWindow)
{
    SetProgram(QStringLiteral("Schritt\r\n"));
    form_->Anzeigen1->trigger();
    AnswerSaveDialog(dir_.filePath("bild.emf"));
    static_cast<QToolButton *>(Control("btnDiagrSpeichern"))->click();
    QFile saved(dir_.filePath("bild.emf"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().mid(40, 4), QByteArray(" EMF"));
    EXPECT_TRUE(messages_.isEmpty());

    AnswerSaveDialog(QStringLiteral("/nonexistent-folder/bild.svg"));
    form_->StruktSpeichern1->trigger();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("bild.svg")) << messages_[0].toStdString();
}

TEST_F(ChartWindow, NewProgramHidesTheChart)
{
    SetProgram(QStringLiteral("Schritt\r\n"));
    form_->Anzeigen1->trigger();
    ASSERT_TRUE(chart_->IsChartShown());
    form_->Neu1->trigger(); // the question about the changed program is answered "No"
    EXPECT_FALSE(chart_->IsChartShown());
    EXPECT_FALSE(Shown("pbDiagramm"));
    EXPECT_FALSE(form_->imgTumbo3D->isHidden());
    EXPECT_TRUE(Menu("&Ablauf")->isEnabled());
}

TEST_F(ChartWindow, ProgramWithErrorsKeepsTheWorld)
{
    SetProgram(QStringLiteral("wenn IstWand\r\n  Schritt\r\n"));
    form_->Anzeigen1->trigger();
    EXPECT_EQ(form_->Anzeigen1->text(), "Anzeigen");
    EXPECT_FALSE(Shown("pbDiagramm"));
    EXPECT_FALSE(form_->imgTumbo3D->isHidden());
    QStringList lines;
    for (int i = 0; i < form_->InfoBox->count(); ++i)
        lines << form_->InfoBox->item(i)->text();
    EXPECT_TRUE(lines.join('\n').contains("[Fehlernr 2] (Zeile 1)")) << lines.join('\n').toStdString();
    EXPECT_TRUE(form_->Editor->EditingEnabled());
}

TEST_F(ChartWindow, HidingReturnsToTheTwoDimensionalView)
{
    form_->WeltViews().SetIs2D(true);
    SetProgram(QStringLiteral("Schritt\r\n"));
    form_->Anzeigen1->trigger();
    EXPECT_TRUE(form_->pbTumbo2D->isHidden());
    form_->Anzeigen1->trigger(); // now "Ausblenden"
    EXPECT_FALSE(form_->pbTumbo2D->isHidden());
    EXPECT_TRUE(form_->imgTumbo3D->isHidden());
    // The scroll range is the map's again (with its margins), filling the pane where the map is smaller.
    const QSize wanted = form_->pbTumbo2D->size() + QSize(20, 10);
    EXPECT_EQ(form_->ScrollContent->size(), wanted.expandedTo(form_->ScrollBox->viewport()->size()));
}

TEST_F(ChartWindow, KeysOfTheDisabledMenusDoNothingInTheChartView)
{
    SetProgram(QStringLiteral("Schritt\r\nSchritt\r\n"));
    form_->Anzeigen1->trigger();
    ASSERT_FALSE(form_->WeltViews().Is2D());
    const int y = form_->Welt().Robot.Y;
    QTest::keyClick(form_.get(), Qt::Key_F5); // 2D view
    QTest::keyClick(form_.get(), Qt::Key_F9); // start
    QTest::keyClick(form_.get(), Qt::Key_F9, Qt::ShiftModifier); // fast run
    EXPECT_FALSE(form_->WeltViews().Is2D());
    EXPECT_TRUE(form_->pbTumbo2D->isHidden());
    EXPECT_EQ(form_->Welt().Robot.Y, y);
    EXPECT_TRUE(chart_->IsChartShown());

    form_->Anzeigen1->trigger();
    QTest::keyClick(form_.get(), Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_NE(form_->Welt().Robot.Y, y); // the keys work again in the world view
}

} // namespace
} // namespace tumbo::app
