#include "app/window/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tumbo::app {

bool InstallGermanQtTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale german(QLocale::German, QLocale::Germany);
    bool any = false;
    // qtbase: file, colour and print dialogs and the standard buttons; qscintilla: the
    // editor's own texts.
    for (const char *catalogue : {"qtbase", "qscintilla"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(german, QString::fromLatin1(catalogue), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator)) {
            any = true;
        } else {
            delete translator;
        }
    }
    return any;
}

void UseGermanNumbers()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

}  // namespace tumbo::app
