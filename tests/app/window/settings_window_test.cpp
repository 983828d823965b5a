#include <QFileInfo>
#include <QScrollBar>
#include <QTreeWidget>

#include "app/files/app_paths.h"
#include "window_fixture.h"
#include "world/welt.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

class SettingsWindow : public WindowTest {};

}  // namespace

TEST_F(SettingsWindow, WithoutSettingsFileTheDefaultsHold)
{
    TMainForm &f = Open({}, false);
    EXPECT_TRUE(f.ShowTips);
    EXPECT_EQ(f.Parser().Delay, 0);
    EXPECT_EQ(f.Welt().Robot.MaxJump, 1);
    EXPECT_FALSE(f.Welt().Robot.CheckBrick);
    EXPECT_EQ(f.Welt().Robot.BrickStart, 999);
    EXPECT_TRUE(f.Parser().Hint);
    EXPECT_FALSE(f.Parser().StopOnError);
    EXPECT_EQ(f.Editor->tabWidth(), 2);
    EXPECT_TRUE(f.Editor->LineNumbersShown());
    EXPECT_EQ(f.OpenPath, ExecutableFolder());
    EXPECT_TRUE(f.HelpFileSet);
    f.resize(1000, 700);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.PanelProgram->width(), 400);  // 40 % of the width
    EXPECT_EQ(f.PanelBottom->height(), 160);
    // The overview column, 185 pixels at the least, shows its entries without scrolling.
    EXPECT_GE(f.PanelCodeView->width(), 185);
    QApplication::processEvents();
    EXPECT_GT(f.TreeView1->topLevelItemCount(), 0);
    EXPECT_EQ(f.TreeView1->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(asked_.empty());
}

TEST_F(SettingsWindow, ValuesAreAppliedAndWrittenBack)
{
    WriteFile("tumbo.ini",
              "; kept\r\n[Tips]\r\nLastTip=4\r\nShowTips=true\r\n[Sizes]\r\nEditorWidth=50\r\nBottomHeight=200\r\n"
              "CodeViewWidth=150\r\nMaximized=FALSE\r\n[Tumbo]\r\nDelay=250\r\nMaxJump=2\r\nCheckBrick=TRUE\r\n"
              "MaxBrick=10\r\nBrickStart=3\r\nHint=FALSE\r\nStopOnError=TRUE\r\nRestoreWorld=TRUE\r\n"
              "[Editor]\r\nLineNumbers=FALSE\r\nTabStops=4\r\n[Program]\r\nOpenPath=/home/x/\r\n");
    TMainForm &f = Open({}, false);
    EXPECT_EQ(f.LastTip, 4);
    EXPECT_FALSE(f.ShowTips) << "lower-case true is false";
    EXPECT_EQ(f.Parser().Delay, 250);
    EXPECT_EQ(f.Welt().Robot.MaxJump, 2);
    EXPECT_TRUE(f.Welt().Robot.CheckBrick);
    EXPECT_EQ(f.Welt().Robot.MaxBrick, 10);
    EXPECT_EQ(f.Welt().Robot.BrickStart, 3);
    EXPECT_FALSE(f.Parser().Hint);
    EXPECT_TRUE(f.Parser().StopOnError);
    EXPECT_TRUE(f.RestoreWorld);
    EXPECT_FALSE(f.Editor->LineNumbersShown());
    EXPECT_EQ(f.Editor->tabWidth(), 4);
    EXPECT_EQ(f.OpenPath, QStringLiteral("/home/x/"));
    f.resize(1000, 700);
    f.ShowAtStart();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_FALSE(f.isMaximized());
    EXPECT_EQ(f.PanelProgram->width(), 50);
    EXPECT_EQ(f.PanelBottom->height(), 200);
    EXPECT_EQ(f.PanelCodeView->width(), 150);
    form_.reset();

    const QByteArray written = ReadFile("tumbo.ini");
    EXPECT_TRUE(written.startsWith("; kept\r\n[Tips]\r\nLastTip=4\r\nShowTips=FALSE\r\n"));
    EXPECT_TRUE(written.contains("EditorWidth=140\r\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("BottomHeight=200\r\n"));
    EXPECT_TRUE(written.contains("Delay=250\r\nMaxJump=2\r\nCheckBrick=TRUE\r\nMaxBrick=10\r\nBrickStart=3\r\n"));
    EXPECT_TRUE(written.contains("TabStops=4\r\n"));
    EXPECT_TRUE(written.contains("ColorComment=clGrayText\r\n"));
    EXPECT_TRUE(written.contains("OpenPath=/home/x/\r\n"));
}

TEST_F(SettingsWindow, ABadNumberStopsReadingWithAMessage)
{
    WriteFile("tumbo.ini", "[Sizes]\r\nEditorWidth=300\r\n[Tumbo]\r\nDelay=viel\r\nMaxJump=3\r\n");
    TMainForm &f = Open({}, false);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].icon, QMessageBox::Critical);
    EXPECT_EQ(asked_[0].text, QStringLiteral("'viel' ist kein gültiger Integerwert"));
    EXPECT_EQ(f.Parser().Delay, 0);
    EXPECT_EQ(f.Welt().Robot.MaxJump, 1) << "keys after the bad one keep their start values";
    EXPECT_FALSE(f.HelpFileSet);
}

TEST_F(SettingsWindow, SettingsFolderFromTheCommandLine)
{
    TMainForm &f = Open({}, false);
    const QString folder = Folder() + "sub";
    f.ReadCommandLine({"/i" + folder});
    EXPECT_EQ(f.IniFolder, folder + "/");
    EXPECT_EQ(f.SettingsFile(), folder + "/tumbo.ini");
    f.ReadCommandLine({"/I"});
    EXPECT_EQ(f.IniFolder, DefaultSettingsFolder());
    // A settings folder that does not exist yet is made when the settings are written.
    f.ReadCommandLine({"/I" + folder});
    f.SaveSettings();
    EXPECT_TRUE(QFileInfo::exists(folder + "/tumbo.ini"));
}

TEST_F(SettingsWindow, UnwritableSettingsFileIsNamedInTheMessage)
{
    TMainForm &f = Open({}, false);
    WriteFile("blocker", "x");
    f.IniFolder = Folder() + "blocker/";
    f.SaveSettings();
    ASSERT_FALSE(asked_.empty());
    EXPECT_TRUE(asked_.back().text.contains(QStringLiteral("blocker/tumbo.ini"))) << asked_.back().text.toStdString();
    f.IniFolder = Folder();
}
