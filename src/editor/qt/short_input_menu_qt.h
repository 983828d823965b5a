// Short input in the program editor: Kurzeingabe carries out one row of the short-input
// table (short_input.h) on the editor, and ShortInputContextMenu gives the editor the context
// menu whose items call it, the extended or the plain one by the setting ExtendedSyntax.
#pragma once

#include <QObject>
#include <QMenu>
#include <QPointer>

class QWidget;
class QsciScintilla;

namespace tumbo::editor {

// Inserts the texts of the tag's row at the caret as if typed, makes its line breaks as the
// Enter key does (with the editor's automatic indentation, so enable it), and puts the caret
// where the row says, counted from where it stood, with the editor's tab width. One undo step.
// A tag without a row does nothing and gives false.
bool Kurzeingabe(QsciScintilla &editor, int tag);

// A QMenu with the items of the chosen menu (captions in UTF-8, "usw." submenus, separators).
// Every item's action carries its tag as data(); triggering it calls Kurzeingabe on `editor`.
QMenu *CreateShortInputMenu(QsciScintilla &editor, bool extendedSyntax, QWidget *parent = nullptr);

// The editor's context menu for short input. Made once at start for the editor (which owns
// it); call setExtendedSyntax again when the settings dialog is confirmed.
class ShortInputContextMenu : public QObject {
    Q_OBJECT
public:
    ShortInputContextMenu(QsciScintilla &editor, bool extendedSyntax);
    void setExtendedSyntax(bool extendedSyntax);
    bool extendedSyntax() const { return extended_; }
    QMenu *menu() const { return menu_; }  // the menu attached now

private:
    void show(const QPoint &viewportPos);

    QsciScintilla &editor_;
    QPointer<QMenu> menu_;
    bool extended_ = true;
};

}  // namespace tumbo::editor
