// Where an installed program and a copy of the user's own find their data and keep
// tumbo.ini, checked on fake layouts in a temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/files/app_paths.h"
#include "app/files/data_files.h"

namespace tumbo::app {
namespace {

class AppPaths : public ::testing::Test {
protected:
    // Makes the folder (and its parents) and returns it with a final "/".
    QString Folder(const QString &relative)
    {
        const QString path = root_.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path + QLatin1Char('/');
    }
    void File(const QString &relative)
    {
        Folder(QFileInfo(root_.filePath(relative)).path().mid(root_.path().size() + 1));
        QFile f(root_.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString Path(const QString &relative) const { return root_.filePath(relative); }

    QTemporaryDir root_;
};

// <prefix>/bin beside <prefix>/share/tumbo, as `cmake --install` and the package lay it out.
TEST_F(AppPaths, InstalledLayoutKeepsSettingsInTheConfigFolderEvenWhenWritable)
{
    const QString bin = Folder(QStringLiteral("prefix/bin"));
    Folder(QStringLiteral("prefix/share/tumbo"));
    const QString config = Folder(QStringLiteral("home/.config"));

    EXPECT_TRUE(IsInstalledFolder(bin));
    EXPECT_EQ(SettingsFolderFor(bin, config), config + QStringLiteral("tumbo/"));
    EXPECT_EQ(OpenFolderFor(bin, Path(QStringLiteral("home"))), Path(QStringLiteral("home/")));
}

// A build folder or an unpacked copy: the data beside the program, tumbo.ini too.
TEST_F(AppPaths, OwnCopyKeepsSettingsBesideTheProgram)
{
    const QString bin = Folder(QStringLiteral("build/bin"));
    File(QStringLiteral("build/bin/tipps.txt"));
    const QString config = Folder(QStringLiteral("home/.config"));

    EXPECT_FALSE(IsInstalledFolder(bin));
    EXPECT_EQ(SettingsFolderFor(bin, config), bin);
    EXPECT_EQ(OpenFolderFor(bin, Path(QStringLiteral("home"))), bin);
}

TEST_F(AppPaths, NothingUnderUsrCountsAsTheUsersOwnFolder)
{
    const QString config = Folder(QStringLiteral("home/.config"));
    for (const char *folder : {"/usr", "/usr/bin", "/usr/bin/", "/usr/local/bin/", "/usr/games",
                               "/usr/lib/x86_64-linux-gnu/tumbo/"}) {
        SCOPED_TRACE(folder);
        EXPECT_TRUE(IsInstalledFolder(QString::fromLatin1(folder)));
        // Root may write to /usr/bin; tumbo.ini still goes to the config folder.
        EXPECT_EQ(SettingsFolderFor(QString::fromLatin1(folder), config), config + QStringLiteral("tumbo/"));
    }
    for (const char *folder : {"/usr2/bin", "/opt/usr/bin", "/home/usr/tumbo"}) {
        SCOPED_TRACE(folder);
        EXPECT_FALSE(IsInstalledFolder(QString::fromLatin1(folder)));
    }
}

TEST_F(AppPaths, ReadOnlyOwnCopyKeepsSettingsInTheConfigFolder)
{
    const QString bin = Folder(QStringLiteral("shared/bin"));
    const QString config = Folder(QStringLiteral("home/.config"));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(bin).isWritable())
        GTEST_SKIP() << "running as root: every folder is writable";
    EXPECT_EQ(SettingsFolderFor(bin, config), config + QStringLiteral("tumbo/"));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(AppPaths, InstalledProgramFindsItsDataInShareTumbo)
{
    const QString bin = Folder(QStringLiteral("prefix/bin"));
    File(QStringLiteral("prefix/share/tumbo/hilfe/index.html"));
    const QStringList candidates =
        DataFileCandidatesFor(bin, QStringLiteral("hilfe/index.html"), {Path(QStringLiteral("xdg"))});

    EXPECT_EQ(candidates, QStringList({Path(QStringLiteral("prefix/bin/hilfe/index.html")),
                                       Path(QStringLiteral("prefix/share/tumbo/hilfe/index.html")),
                                       Path(QStringLiteral("xdg/tumbo/hilfe/index.html"))}));
    EXPECT_EQ(FirstExistingDataFile(candidates), candidates[1]);

    // A copy beside the program wins, as in the build folder.
    File(QStringLiteral("prefix/bin/hilfe/index.html"));
    EXPECT_EQ(FirstExistingDataFile(candidates), candidates[0]);
}

TEST_F(AppPaths, MissingDataFileIsNamedBesideTheProgram)
{
    const QString bin = Folder(QStringLiteral("prefix/bin"));
    const QStringList candidates = DataFileCandidatesFor(bin, QStringLiteral("ton.wav"), {});
    EXPECT_EQ(FirstExistingDataFile(candidates), Path(QStringLiteral("prefix/bin/ton.wav")));
}

TEST_F(AppPaths, DataBesideTheProgramComesFirst)
{
    const QString bin = Folder(QStringLiteral("prefix/bin"));
    const QStringList candidates =
        DataFileCandidatesFor(bin, QStringLiteral("tipps.txt"), {Path(QStringLiteral("prefix/share"))});
    // The system data folder that is also <prefix>/share is looked at once.
    EXPECT_EQ(candidates, QStringList({Path(QStringLiteral("prefix/bin/tipps.txt")),
                                       Path(QStringLiteral("prefix/share/tumbo/tipps.txt"))}));
}

}  // namespace
}  // namespace tumbo::app
