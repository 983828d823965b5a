#include "app/settings/command_line.h"

#include <gtest/gtest.h>

#include <set>

using tumbo::app::CommandLine;
using tumbo::app::ParseCommandLine;

namespace {

CommandLine Parse(std::vector<std::string> args, std::set<std::string> files = {})
{
    return ParseCommandLine(args, [files](const std::string &p) { return files.count(p) > 0; });
}

}  // namespace

TEST(CommandLine, OptionsTakeTheRestOfTheParameter)
{
    CommandLine c = Parse({"/Iconfig/", "/Pa.tdp", "/Wb.tdw"});
    EXPECT_EQ(c.IniFolder, "config/");
    EXPECT_EQ(c.StartProgramFile, "a.tdp");
    EXPECT_EQ(c.StartWorldFile, "b.tdw");
}

TEST(CommandLine, LowerCaseOptionAndMissingSeparator)
{
    EXPECT_EQ(Parse({"/imyfolder"}).IniFolder, "myfolder/");
    EXPECT_EQ(Parse({"/Iwin\\folder\\"}).IniFolder, "win\\folder\\");
    EXPECT_EQ(Parse({"/I"}).IniFolder, "");
    EXPECT_EQ(Parse({"/p", "/w"}).StartProgramFile, "");
}

TEST(CommandLine, LaterParametersReplaceEarlierOnesAndOthersAreIgnored)
{
    CommandLine c = Parse({"/Pfirst.tdp", "-x", "/Q", "plain", "/Psecond.tdp", "/"});
    EXPECT_EQ(c.StartProgramFile, "second.tdp");
    EXPECT_EQ(c.StartWorldFile, "");
    EXPECT_EQ(c.IniFolder, "");
}

TEST(CommandLine, ExistingFilesAreTakenBeforeOptions)
{
    // "/Projekte/a.tdp" would read as /P with "rojekte/a.tdp"; it names a file, so it is the program.
    CommandLine c = Parse({"/Projekte/a.tdp", "/Welten/b.TDW", "/Irgendwo/c.txt", "/Aufgaben/d.Tda"},
                          {"/Projekte/a.tdp", "/Welten/b.TDW", "/Irgendwo/c.txt", "/Aufgaben/d.Tda"});
    EXPECT_EQ(c.StartProgramFile, "/Projekte/a.tdp");
    EXPECT_EQ(c.StartWorldFile, "/Welten/b.TDW");
    EXPECT_EQ(c.StartTaskFile, "/Aufgaben/d.Tda");
    EXPECT_EQ(c.IniFolder, "rgendwo/c.txt/");  // not a program or world: the option rule holds
}

TEST(CommandLine, MissingFileWithProgramExtensionFallsBackToTheOptionRule)
{
    CommandLine c = Parse({"/Projekte/fehlt.tdp", "relativ.tdp"}, {"relativ.tdp"});
    EXPECT_EQ(c.StartProgramFile, "relativ.tdp");
    CommandLine d = Parse({"/Projekte/fehlt.tdp"});
    EXPECT_EQ(d.StartProgramFile, "rojekte/fehlt.tdp");
}
