#pragma once
// The caption at the top of a pane ("Programm", "Welt", "Übersicht", "Information") and at
// the start of the replay bar ("Verlauf"): bold maroon text, as large as the window's text.
#include <QString>

class QLabel;
class QWidget;

namespace tumbo::app {

// A caption named `objectName`, e.g. "CaptionWelt".
QLabel *CreatePaneCaption(const QString &text, const QString &objectName, QWidget *parent = nullptr);

}  // namespace tumbo::app
