// Photographs the window as a pupil sees it, 1600 x 1000 pixels, with a sample program run
// in its world: tumbo-screenshots PROGRAM.tdp FOLDER writes FOLDER/fenster.png and, in the
// presentation mode, FOLDER/praesentation.png. It uses the window itself, so the pictures in
// the README stay true. scripts/screenshots runs it.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/presentation_mode.h"
#include "app/window/qt_translations.h"

using tumbo::app::TMainForm;

namespace {

bool Shoot(TMainForm &form, const QString &file)
{
    QApplication::processEvents();
    QTest::qWait(200);
    if (form.grab().save(file))
        return true;
    std::fprintf(stderr, "%s kann nicht geschrieben werden.\n", qPrintable(file));
    return false;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: tumbo-screenshots PROGRAMM.tdp ORDNER\n");
        return 2;
    }
    tumbo::app::UseGermanNumbers();
    QTemporaryDir settings;
    QFile ini(settings.filePath(QStringLiteral("tumbo.ini")));
    if (!settings.isValid() || !ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\n");
    ini.close();
    TMainForm::DefaultMessageBoxHook = [](QMessageBox::Icon, const QString &, QMessageBox::StandardButtons) {
        return QMessageBox::Ok;
    };
    TMainForm form({QStringLiteral("/I") + settings.path(), QString::fromLocal8Bit(argv[1])});
    form.resize(1600, 1000);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QTest::qWait(100);
    // The run shows the world changed, the overview filled and the status values set.
    form.RunControl().FastCommand();
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    if (!Shoot(form, folder + QStringLiteral("/fenster.png")))
        return 1;
    // A projector of 1600 x 1000 pixels: the full screen is the window's size.
    form.Presentation->SetActive(true);
    form.showNormal();
    form.resize(1600, 1000);
    form.Presentation->Action->setChecked(true);
    QTest::qWait(100);
    return Shoot(form, folder + QStringLiteral("/praesentation.png")) ? 0 : 1;
}
