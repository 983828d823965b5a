#include "text/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/write_faults.h"
#include "text/cp1252.h"

using tumbo::text::IniFile;

TEST(IniFile, LooksUpSectionsAndKeysWithoutRegardToCase)
{
    IniFile ini;
    ini.Parse("[Sizes]\r\nEditorWidth = 300 \r\n[tumbo]\r\ndelay=25\r\n");
    EXPECT_EQ(ini.ReadString("sizes", "EDITORWIDTH", "x"), "300");
    EXPECT_EQ(ini.ReadString("Tumbo", "Delay", "x"), "25");
    EXPECT_EQ(ini.ReadString("Tumbo", "MaxJump", "1"), "1");
    EXPECT_EQ(ini.ReadString("Editor", "Delay", "none"), "none");
}

TEST(IniFile, KeysOfOtherSectionsAreNotFound)
{
    IniFile ini;
    ini.Parse("[A]\nx=1\n[B]\ny=2\n");
    EXPECT_EQ(ini.ReadString("A", "y", "-"), "-");
    EXPECT_EQ(ini.ReadString("B", "x", "-"), "-");
    EXPECT_TRUE(ini.HasKey("b", "Y"));
}

TEST(IniFile, EmptyValueIsNotTheDefaultAndQuotesAreRemoved)
{
    IniFile ini;
    ini.Parse("[S]\na=\nb=\"with blanks \"\nc='x'\n");
    EXPECT_EQ(ini.ReadString("S", "a", "default"), "");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "with blanks ");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "x");
}

TEST(IniFile, LongValuesAreCutAt2047Characters)
{
    IniFile ini;
    ini.Parse("[S]\nk=" + std::string(3000, 'a') + "\n");
    EXPECT_EQ(ini.ReadString("S", "k", "").size(), 2047u);
}

TEST(IniFile, LinesGivesEveryMeaningfulLineWithItsNumberAndLongValuesUncut)
{
    IniFile ini;
    ini.Parse("; comment\n\n[Kurs]\nTitel = Tumbo \nkein Eintrag\n[Welt1]\nStartWelt=" + std::string(3000, 'n') + "\n");
    const std::vector<tumbo::text::IniLine> lines = ini.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].Type, tumbo::text::IniLine::Section);
    EXPECT_EQ(lines[0].Name, "Kurs");
    EXPECT_EQ(lines[0].Number, 3);
    EXPECT_EQ(lines[1].Type, tumbo::text::IniLine::Entry);
    EXPECT_EQ(lines[1].Name, "Titel");
    EXPECT_EQ(lines[1].Value, "Tumbo");
    EXPECT_EQ(lines[2].Type, tumbo::text::IniLine::Other);
    EXPECT_EQ(lines[2].Value, "kein Eintrag");
    EXPECT_EQ(lines[2].Number, 5);
    EXPECT_EQ(lines[4].Value.size(), 3000u);
}

TEST(IniFile, WritingKeepsUnknownLinesAndReplacesInPlace)
{
    IniFile ini;
    ini.Parse("; my comment\r\n[Tips]\r\nLastTip=4\r\nOther=keep\r\n\r\n[Private]\r\nx=1\r\n");
    ini.WriteString("Tips", "lasttip", "5");
    ini.WriteString("Tips", "ShowTips", "FALSE");
    ini.WriteString("Sizes", "EditorWidth", "385");
    EXPECT_EQ(ini.Text(),
              "; my comment\r\n[Tips]\r\nlasttip=5\r\nOther=keep\r\nShowTips=FALSE\r\n\r\n"
              "[Private]\r\nx=1\r\n[Sizes]\r\nEditorWidth=385\r\n");
}

TEST(IniFile, KeepsTheLineBreaksOfAFileWithLineFeedsOnly)
{
    IniFile ini;
    ini.Parse("[A]\nx=1\n");
    ini.WriteString("A", "y", "2");
    EXPECT_EQ(ini.Text(), "[A]\nx=1\ny=2\n");
}

TEST(IniFile, MissingFileReadsAsEmptyAndSaveWritesAtomically)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "tumbo_ini_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "tumbo.ini").string();

    IniFile ini;
    ASSERT_TRUE(ini.Load(path));
    EXPECT_EQ(ini.Text(), "");
    ini.WriteString("Tips", "LastTip", "3");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    IniFile again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_EQ(again.ReadString("Tips", "LastTip", ""), "3");

    EXPECT_FALSE(ini.Save((dir / "missing-folder" / "tumbo.ini").string()));
    fs::remove_all(dir);
}

// Two windows saving at once, a full disk or a kill while saving never cost the settings.
TEST(IniFile, AFailedSaveKeepsTheOldSettingsAndSaysWhy)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "tumbo_ini_fault_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    IniFile ini;
    ini.WriteString("Tips", "LastTip", "3");
    tumbo::testing::ExpectEveryFaultKeepsTheOldFile(dir, "tumbo.ini", [&](const std::string &path, std::string &error) {
        const bool ok = ini.Save(path, &error);
        error = tumbo::text::Cp1252ToUtf8(error);
        return ok;
    });
    fs::remove_all(dir);
}
