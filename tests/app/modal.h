// Acting on a modal dialog from a test: the action runs once the dialog's own event
// loop has started.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

template <class Dialog>
void WhenModal(std::function<void(Dialog *)> action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (dialog)
            action(dialog);
    });
}

inline QString Fixture(const char *name)
{
    return QStringLiteral(TUMBO_FIXTURES_DIR "/app_dialogs/") + QString::fromUtf8(name);
}
