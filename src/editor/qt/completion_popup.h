// The completion list of the program editor (Ctrl+Space): shows the entries of
// completion_list.h that begin with the word being typed; while the user types on, the list
// shrinks to the entries that still fit; choosing an entry replaces the word with it.
#pragma once

#include <QObject>

class QsciScintilla;

namespace tumbo::editor {

class CompletionPopup : public QObject {
    Q_OBJECT
public:
    // Binds Ctrl+Space in the editor; the editor owns the object.
    explicit CompletionPopup(QsciScintilla &editor);

    // Opens the list for the word left of the caret; false when no entry fits it.
    bool show();
    bool isActive() const;

    // The word being typed: the word characters left of the caret (it ends at blanks and at
    // "(", ")", "[", "]", ".").
    QString typedWord() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applySettings();
    void refilter();

    QsciScintilla &editor_;
    bool shown_ = false;
};

}  // namespace tumbo::editor
