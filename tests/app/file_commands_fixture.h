#pragma once
// The window fixture with the file dialogs and message boxes answered from queues, so a
// command can be driven through several dialogs and questions in a row.
#include <QAction>
#include <QLineEdit>
#include <QToolButton>

#include <deque>

#include "app/files/file_commands.h"
#include "app/files/file_dialogs.h"
#include "app/world/world_commands.h"
#include "window_fixture.h"
#include "world/welt.h"

namespace tumbo::app::test {

class FileCommandTest : public WindowTest {
protected:
    TMainForm &OpenWindow(QStringList args = {}, bool show = true)
    {
        TMainForm &f = Open(std::move(args), false);
        Answer(f);
        if (show) {
            f.show();
            f.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
            QApplication::processEvents();
        }
        return f;
    }

    // Installs the queues on `f` (also on a window opened again).
    void Answer(TMainForm &f)
    {
        f.MessageBoxHook = [this](QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons) {
            asked_.push_back({icon, text});
            if (answers_.empty())
                return answer_;
            const auto a = answers_.front();
            answers_.pop_front();
            return a;
        };
        f.FileDialogHook = [this](const FileDialogRequest &r) {
            requests_.push_back(r);
            if (files_.empty())
                return QString();
            const QString name = files_.front();
            files_.pop_front();
            return name;
        };
    }

    // A dialog answer: a name in the test folder, or empty for "cancelled".
    void Choose(const QString &name) { files_.push_back(name.isEmpty() ? QString() : Folder() + name); }
    void Reply(QMessageBox::StandardButton b) { answers_.push_back(b); }

    // The program text as the editor holds it, lines joined with "\n".
    QString EditorText() const
    {
        QString t = form_->Editor->text();
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return t;
    }
    void Type(const QString &text)
    {
        form_->Editor->setFocus();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(form_->Editor, Qt::Key_Return);
            QTest::keyClicks(form_->Editor, lines[i]);
        }
    }
    QStringList AskedTexts() const
    {
        QStringList t;
        for (const auto &a : asked_)
            t << a.text;
        return t;
    }

    std::deque<QString> files_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<FileDialogRequest> requests_;
};

// Acts on a modal dialog once its own event loop runs.
template <class Dialog, class Action>
void WhenModal(Action action)
{
    QTimer::singleShot(0, [action] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
            action(dialog);
    });
}

inline const QString kUnsavedQuestion = QStringLiteral(
    "Das aktuelle Programm wurde geändert.\nOhne Speichern gehen die Änderungen verloren.\n\nVorher speichern ?");

// A world file of the given size with the robot at (x, y).
inline QByteArray WorldBytes(int w, int l, int h, int x = 0, int y = 0, int heading = 0)
{
    TRaum room;
    room.Init(w, l, h);
    return QByteArray::fromStdString(WriteWorldText(room, x, y, uint8_t(heading)));
}

}  // namespace tumbo::app::test
