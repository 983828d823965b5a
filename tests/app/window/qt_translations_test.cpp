// The German texts of Qt's own dialogs and buttons.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

#include "app/dialogs/dlg_settings_k.h"
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

// Under LANG=C.UTF-8 the delay showed as "0.00 s" and large numbers as "1,000,000".
TEST(QtTranslations, NumbersAreGermanWhateverTheSystemLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    ASSERT_EQ(TSettingsDlgK::DelayText(0), QStringLiteral(" 0.00 s"));
    UseGermanNumbers();
    EXPECT_EQ(TSettingsDlgK::DelayText(0), QStringLiteral(" 0,00 s"));
    EXPECT_EQ(TSettingsDlgK::DelayText(1250), QStringLiteral(" 1,25 s"));
    EXPECT_EQ(QLocale().toString(1000000), QStringLiteral("1.000.000"));
    QLocale::setDefault(before);
}

}  // namespace
