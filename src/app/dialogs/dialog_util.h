#pragma once
// Small helpers shared by the program's dialogs.
#include <QString>
#include <Qt>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace tumbo::app {

// A dialog border with only a close box.
inline constexpr Qt::WindowFlags DialogCloseOnlyFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Moves the window to the middle of the screen it is on.
void CenterOnScreen(QWidget *window);

// The application's general error message: a message box with the program's title.
void ShowGeneralError(QWidget *parent, const QString &message);

// The settings dialogs' button row: "OK" (`Button2`, the default, accepts) and
// "Abbrechen" (`Button1`, rejects), right-aligned.
QHBoxLayout *MakeOkCancelRow(QDialog *dialog, QPushButton *&Button2, QPushButton *&Button1);

}  // namespace tumbo::app
