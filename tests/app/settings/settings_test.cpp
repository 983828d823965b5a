#include "app/settings/colour_names.h"
#include "app/settings/settings.h"

#include <gtest/gtest.h>

using namespace tumbo::app;

TEST(Settings, MissingFileGivesTheDefaults)
{
    IniFile ini;
    TumboSettings s;
    s.EditorWidth = 1;  // every key is read, so nothing of this survives
    s.ShowTips = false;
    s.ColorNumber = 0;
    EXPECT_FALSE(ReadSettings(ini, s, "/opt/tumbo/").has_value());
    EXPECT_EQ(s.LastTip, 1);
    EXPECT_TRUE(s.ShowTips);
    EXPECT_EQ(s.EditorWidth, 385);
    EXPECT_EQ(s.BottomHeight, 160);
    EXPECT_EQ(s.CodeViewWidth, 185);
    EXPECT_TRUE(s.Maximized);
    EXPECT_EQ(s.ViewScale, 0);  // the world fitted into its pane
    EXPECT_FALSE(s.HighContrast);
    EXPECT_EQ(s.Delay, 0);
    EXPECT_EQ(s.MaxJump, 1);
    EXPECT_FALSE(s.CheckBrick);
    EXPECT_EQ(s.MaxBrick, 0);
    EXPECT_EQ(s.BrickStart, 999);
    EXPECT_TRUE(s.Hint);
    EXPECT_FALSE(s.StopOnError);
    EXPECT_TRUE(s.LineNumbers);
    EXPECT_EQ(s.TabWidth, 2);
    EXPECT_EQ(s.ColorComment, clGrayText);
    EXPECT_EQ(s.ColorNumber, clRed);
    EXPECT_EQ(s.OpenPath, "/opt/tumbo/");
}

TEST(Settings, FlagsAreTrueOnlyForUpperCaseTRUE)
{
    struct Case { const char *text; bool expected; };
    for (Case c : {Case{"TRUE", true}, Case{"true", false}, Case{"True", false}, Case{"1", false},
                   Case{"FALSE", false}, Case{"", false}}) {
        IniFile ini;
        ini.Parse(std::string("[Tips]\nShowTips=") + c.text + "\n");
        TumboSettings s;
        ReadSettings(ini, s, "");
        EXPECT_EQ(s.ShowTips, c.expected) << c.text;
    }
}

TEST(Settings, RoundTripKeepsEveryValueAndTheKeyOrder)
{
    TumboSettings s;
    s.LastTip = 7;
    s.ShowTips = false;
    s.EditorWidth = 400;
    s.BottomHeight = 200;
    s.CodeViewWidth = 90;
    s.Maximized = false;
    s.ViewScale = 150;
    s.HighContrast = true;
    s.Delay = 350;
    s.MaxJump = 3;
    s.CheckBrick = true;
    s.MaxBrick = 12;
    s.BrickStart = 5;
    s.Hint = false;
    s.StopOnError = true;
    s.RestoreWorld = true;
    s.LineNumbers = false;
    s.TabWidth = 4;
    s.PrintLineNumbers = true;
    s.PrintColor = true;
    s.ColorComment = 0x00123456;
    s.ColorKeyWord = clSilver;
    s.ColorKeyWord2 = 0x80000008;
    s.ColorIdentifier = clWhite;
    s.ColorNumber = clBlack;
    s.FormatToken = false;
    s.ExtendedSyntax = false;
    s.OpenPath = "/home/pupil/Programme/";

    IniFile ini;
    WriteSettings(ini, s);
    EXPECT_EQ(ini.Text(),
              "[Tips]\r\nLastTip=7\r\nShowTips=FALSE\r\n"
              "[Sizes]\r\nEditorWidth=400\r\nBottomHeight=200\r\nCodeViewWidth=90\r\nMaximized=FALSE\r\nViewScale=150\r\n"
              "HighContrast=TRUE\r\n"
              "[Tumbo]\r\nDelay=350\r\nMaxJump=3\r\nCheckBrick=TRUE\r\nMaxBrick=12\r\nBrickStart=5\r\n"
              "Hint=FALSE\r\nStopOnError=TRUE\r\nRestoreWorld=TRUE\r\n"
              "[Editor]\r\nLineNumbers=FALSE\r\nTabStops=4\r\nPrintLineNumbers=TRUE\r\nPrintColor=TRUE\r\n"
              "ColorComment=$00123456\r\nColorKeyWord=clSilver\r\nColorKeyWord2=clWindowText\r\n"
              "ColorIdentifier=clWhite\r\nColorNumber=clBlack\r\nFormatToken=FALSE\r\nExtendedSyntax=FALSE\r\n"
              "[Program]\r\nOpenPath=/home/pupil/Programme/\r\n");

    TumboSettings back;
    ASSERT_FALSE(ReadSettings(ini, back, "").has_value());
    IniFile again;
    WriteSettings(again, back);
    EXPECT_EQ(again.Text(), ini.Text());
}

TEST(Settings, PanelSizesHaveAMinimumOnlyWhenWritten)
{
    TumboSettings s;
    s.EditorWidth = 50;
    s.BottomHeight = 10;
    s.CodeViewWidth = 79;
    IniFile ini;
    WriteSettings(ini, s);
    EXPECT_EQ(ini.ReadString("Sizes", "EditorWidth", ""), "140");
    EXPECT_EQ(ini.ReadString("Sizes", "BottomHeight", ""), "80");
    EXPECT_EQ(ini.ReadString("Sizes", "CodeViewWidth", ""), "80");

    IniFile small;
    small.Parse("[Sizes]\nEditorWidth=50\n");
    TumboSettings read;
    ReadSettings(small, read, "");
    EXPECT_EQ(read.EditorWidth, 50);
}

TEST(Settings, ReadingStopsAtTheFirstValueThatIsNotANumber)
{
    IniFile ini;
    ini.Parse("[Tips]\nLastTip=9\n[Sizes]\nEditorWidth=300\nBottomHeight=12a\nCodeViewWidth=100\n"
              "[Tumbo]\nDelay=500\n");
    TumboSettings s;
    s.CodeViewWidth = 111;
    s.Delay = 7;
    auto error = ReadSettings(ini, s, "");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "'12a' ist kein gültiger Integerwert");
    EXPECT_EQ(s.LastTip, 9);
    EXPECT_EQ(s.EditorWidth, 300);
    EXPECT_EQ(s.BottomHeight, 160);  // unchanged
    EXPECT_EQ(s.CodeViewWidth, 111);
    EXPECT_EQ(s.Delay, 7);
}

TEST(Settings, AViewScaleThatIsNotANumberFitsTheWorldAndReadingGoesOn)
{
    for (const char *value : {"groß", "", "150%", "99999999999"}) {
        IniFile ini;
        ini.Parse(std::string("[Sizes]\nViewScale=") + value + "\n[Tumbo]\nDelay=500\n");
        TumboSettings s;
        s.ViewScale = 200;
        EXPECT_FALSE(ReadSettings(ini, s, "").has_value()) << value;
        EXPECT_EQ(s.ViewScale, 0) << value;
        EXPECT_EQ(s.Delay, 500) << value;
    }
}

TEST(Settings, BadColourStopsReadingToo)
{
    IniFile ini;
    ini.Parse("[Editor]\nColorComment=clPink\nFormatToken=FALSE\n");
    TumboSettings s;
    auto error = ReadSettings(ini, s, "");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("clPink"), std::string::npos);
    EXPECT_TRUE(s.FormatToken);
}

TEST(Settings, TabWidthIsReadFromTabStops)
{
    IniFile ini;
    ini.Parse("[Editor]\nTabStop=8\nTabStops=3\n");
    TumboSettings s;
    ReadSettings(ini, s, "");
    EXPECT_EQ(s.TabWidth, 3);
}

TEST(ColourNames, NamesAndNumbers)
{
    struct Case { const char *text; ColorValue value; const char *written; };
    for (Case c : {Case{"clBlack", 0x000000, "clBlack"}, Case{"CLBLUE", 0xFF0000, "clBlue"},
                   Case{"clGrayText", 0x80000011, "clGrayText"}, Case{"$00C0DCC0", 0xC0DCC0, "$00C0DCC0"},
                   Case{"255", 0x0000FF, "clRed"}, Case{"$00c0c0c0", 0xC0C0C0, "clSilver"},
                   Case{"0x10", 0x10, "$00000010"}}) {
        auto value = ColorFromText(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
        EXPECT_EQ(ColorToText(*value), c.written) << c.text;
    }
    EXPECT_FALSE(ColorFromText("clPink").has_value());
    EXPECT_FALSE(ColorFromText("").has_value());
    EXPECT_EQ(ColorToRgb(clGrayText), 0x6D6D6Du);
    EXPECT_EQ(ColorToRgb(0x123456), 0x123456u);
}

TEST(ParseInteger, WholeNumbersOnly)
{
    struct Case { const char *text; std::optional<int> value; };
    for (Case c : {Case{"0", 0}, Case{"385", 385}, Case{"-12", -12}, Case{"+4", 4}, Case{"  7", 7},
                   Case{"$10", 16}, Case{"$FFFFFFFF", -1}, Case{"2147483647", 2147483647},
                   Case{"-2147483648", -2147483647 - 1}, Case{"2147483648", std::nullopt},
                   Case{"", std::nullopt}, Case{"$", std::nullopt}, Case{"12 ", std::nullopt},
                   Case{"1.5", std::nullopt}, Case{"abc", std::nullopt}, Case{"$1FFFFFFFF", std::nullopt}}) {
        EXPECT_EQ(ParseInteger(c.text), c.value) << "'" << c.text << "'";
    }
}
