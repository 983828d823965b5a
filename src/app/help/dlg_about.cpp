#include "app/help/dlg_about.h"

#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"
#include "app/files/data_files.h"
#include "text/text_file.h"

namespace tumbo::app {

TAbout_Box::TAbout_Box(QWidget *parent)
    : QDialog(parent), licenseFile_(FindDataFile(QStringLiteral("license.txt")))
{
    setWindowTitle(QStringLiteral("Programminfo"));
    setWindowFlags(DialogCloseOnlyFlags);

    auto *title = new QLabel(QStringLiteral("Robot Tumbo"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    title->setFont(titleFont);
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral("0.1");
    auto *versionLine = new QLabel(QStringLiteral("Version %1").arg(version), this);
    auto *credits = new QLabel(
        QStringLiteral("Eine Lernumgebung, in der Schülerinnen und Schüler den Roboter Tumbo "
                       "programmieren.\nFreie Software unter der GNU General Public License, "
                       "Version 3 oder neuer."),
        this);
    credits->setWordWrap(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setTabChangesFocus(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->viewport()->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("O&K"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(FirstDelay);
    connect(Timer1, &QTimer::timeout, this, &TAbout_Box::Timer1Timer);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        Timer1->stop();
        accept();
    });
    connect(this, &QDialog::finished, Timer1, &QTimer::stop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(versionLine);
    layout->addWidget(credits);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    setTabOrder(Memo1, OKButton);
    resize(520, 420);
}

void TAbout_Box::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Memo1->setFocus(Qt::OtherFocusReason);
    LoadLicense();
}

void TAbout_Box::LoadLicense()
{
    Timer1->stop();
    Memo1->clear();
    QFile file(licenseFile_);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString message =
            QStringLiteral("Dateifehler: Die Datei \"%1\" kann nicht geöffnet werden.").arg(licenseFile_);
        if (report_)
            report_(message);
        else
            ShowGeneralError(this, message);
        return;
    }
    const QByteArray bytes = file.readAll();
    const auto decoded = tumbo::text::DecodeText(std::string_view(bytes.constData(), size_t(bytes.size())));
    Memo1->setPlainText(QString::fromStdString(decoded.Utf8));
    Memo1->moveCursor(QTextCursor::Start);
    Timer1->start();
}

void TAbout_Box::Timer1Timer()
{
    // The first tick after opening for the first time only ends the waiting time.
    if (Timer1->interval() == FirstDelay) {
        Timer1->setInterval(ScrollInterval);
        return;
    }
    Memo1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

bool TAbout_Box::eventFilter(QObject *watched, QEvent *event)
{
    // A click into the text, or the user moving the focus to the button, stops the scrolling.
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress)
        Timer1->stop();
    if (watched == OKButton && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
            Timer1->stop();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tumbo::app
