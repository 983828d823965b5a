#include "editor/qt/template_expander.h"

#include <QKeyEvent>
#include <Qsci/qsciscintilla.h>

#include "editor/qt/editor_access.h"
#include "editor/syn_highlighter_tumbo.h"

namespace tumbo::editor {
namespace {

bool IsShiftSpace(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Space &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

}  // namespace

bool ExpandTemplateAtCaret(QsciScintilla &editor, const std::vector<TCodeTemplate> &templates)
{
    const long caret = editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const long line = editor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, caret);
    const long lineStart = editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    if (editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL) > 0)
        return false;  // behind the line's end there is no word left of the caret

    QByteArray before(static_cast<int>(caret - lineStart), '\0');
    if (!before.isEmpty())
        editor.SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, lineStart, caret, before.data());
    const QString head = editor.isUtf8() ? QString::fromUtf8(before) : QString::fromLatin1(before);
    int wordStart = static_cast<int>(head.size());
    while (wordStart > 0 && IsWordChar(ToCp1252(head.mid(wordStart - 1, 1)).front()))
        --wordStart;
    const QString word = head.mid(wordStart);
    const TCodeTemplate *tpl = FindTemplate(templates, ToCp1252(word));
    if (tpl == nullptr)
        return false;

    const QByteArray wordBytes = editor.isUtf8() ? word.toUtf8() : word.toLatin1();
    const long wordPos = caret - wordBytes.size();
    const int wordColumn = static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETCOLUMN, wordPos)) + 1;
    const TTemplateExpansion expansion = ExpandTemplate(*tpl, wordColumn);
    QStringList lines;
    for (const auto &text : expansion.lines)
        lines << FromCp1252(text);
    const QString replacement = lines.join(LineBreakText(editor));
    const QByteArray bytes = editor.isUtf8() ? replacement.toUtf8() : replacement.toLatin1();

    editor.beginUndoAction();
    editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(wordPos), caret);
    editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                         bytes.constData());
    SetCaret(editor, static_cast<int>(line) + 1 + expansion.caretLine, expansion.caretColumn);
    editor.endUndoAction();
    return true;
}

TemplateExpander::TemplateExpander(QsciScintilla &editor, const std::vector<std::string> &templateLines)
    : QObject(&editor), editor_(editor), templates_(ParseTemplates(templateLines))
{
    editor.installEventFilter(this);
}

void TemplateExpander::setTemplateLines(const std::vector<std::string> &templateLines)
{
    templates_ = ParseTemplates(templateLines);
}

bool TemplateExpander::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &editor_)
        return false;
    if (event->type() == QEvent::ShortcutOverride && IsShiftSpace(static_cast<QKeyEvent &>(*event))) {
        event->accept();  // the key is the editor's, not a menu shortcut's
        return true;
    }
    if (event->type() == QEvent::KeyPress && IsShiftSpace(static_cast<QKeyEvent &>(*event))) {
        if (!editor_.isReadOnly())
            ExpandTemplateAtCaret(editor_, templates_);
        return true;
    }
    return false;
}

}  // namespace tumbo::editor
