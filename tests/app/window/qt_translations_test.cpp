// The German texts of Qt's own dialogs and buttons.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

#include "app/window/qt_translations.h"

using namespace tumbo::app;

namespace {

// Qt's file, colour and print dialogs showed English captions and buttons in an otherwise
// German program.
TEST(QtTranslations, StandardDialogTextsAreGerman)
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
