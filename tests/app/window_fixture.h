#pragma once
// A main window on the offscreen platform with its settings in a fresh folder, message
// boxes answered by the test, and a script of steps that timers run while a program
// runs nested inside a command.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "app/run/prog_lamp.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/parser.h"

namespace tumbo::app::test {

struct AskedMessage {
    QMessageBox::Icon icon;
    QString text;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        TMainForm::DefaultMessageBoxHook = [this](QMessageBox::Icon icon, const QString &text,
                                                  QMessageBox::StandardButtons) {
            asked_.push_back({icon, text});
            return answer_;
        };
    }
    void TearDown() override
    {
        form_.reset();
        TMainForm::DefaultMessageBoxHook = nullptr;
    }

    QString Folder() const { return dir_.path() + QLatin1Char('/'); }

    // Creates and shows the window; `args` come after the "/I" of the test folder.
    TMainForm &Open(QStringList args = {}, bool show = true)
    {
        args.prepend(QStringLiteral("/I") + dir_.path());
        form_ = std::make_unique<TMainForm>(args);
        if (show) {
            form_->show();
            form_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
            QApplication::processEvents();
        }
        return *form_;
    }

    void WriteFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(Folder() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadFile(const QString &name)
    {
        QFile f(Folder() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void SetProgram(const QString &text)
    {
        form_->Editor->setText(text);
        form_->Editor->setModified(false);
    }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form_->Editor, Qt::Key(key), mods);
    }

    QStringList InfoLines() const
    {
        QStringList lines;
        for (int i = 0; i < form_->InfoBox->count(); ++i)
            lines << form_->InfoBox->item(i)->text();
        return lines;
    }

    QColor LampColor() const;
    QList<int> Images(int line) const { return form_->Editor->ImagesOnLine(line); }

    // Starts `command` (which may run a program nested inside it) while a timer works
    // through `steps`, one every `intervalMs`; a watchdog stops a run that never ends.
    // A step made by When() waits, tick by tick, until its condition holds, so a script
    // does not depend on how far a run gets within one tick on a busy machine.
    void RunScript(const std::function<void()> &command, std::deque<std::function<void()>> steps,
                   int intervalMs = 40)
    {
        QTimer timer;
        timer.setInterval(intervalMs);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (steps.empty()) {
                timer.stop();
                return;
            }
            auto step = std::move(steps.front());
            steps.pop_front();
            repeatStep_ = false;
            step();
            if (repeatStep_)
                steps.push_front(std::move(step));
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            ADD_FAILURE() << "run did not end in time";
            steps.clear();
            form_->RunControl().StopCommand();
        });
        watchdog.start(20000);
        timer.start();
        command();
        // Steps left after the run ended still run, outside of it.
        QElapsedTimer waited;
        waited.start();
        while (!steps.empty() && waited.elapsed() < 20000)
            QTest::qWait(intervalMs);
        timer.stop();
        watchdog.stop();
    }

    std::function<void()> When(std::function<bool()> ready, std::function<void()> then)
    {
        return [this, ready = std::move(ready), then = std::move(then)] {
            if (ready())
                then();
            else
                repeatStep_ = true;
        };
    }

    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> form_;
    bool repeatStep_ = false;
    std::vector<AskedMessage> asked_;
    QMessageBox::StandardButton answer_ = QMessageBox::No;
};

inline QColor WindowTest::LampColor() const
{
    return form_->Lamp->Color();
}

inline const QColor kSilver(192, 192, 192), kLime(0, 255, 0), kYellow(255, 255, 0), kRed(255, 0, 0);

// A short walk whose statements stand on known lines (2 to 5), for the run-control suites.
inline const QString kWalk = QStringLiteral(
    "Programm\r\n"          // 1
    "  Schritt\r\n"         // 2
    "  LinksDrehen\r\n"     // 3
    "  RechtsDrehen\r\n"    // 4
    "  Schritt\r\n"         // 5
    "*Programm\r\n");       // 6

}  // namespace tumbo::app::test
