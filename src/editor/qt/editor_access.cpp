#include "editor/qt/editor_access.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

#include "text/cp1252.h"

namespace tumbo::editor {

QString FromCp1252(const std::string &cp1252)
{
    return QString::fromStdString(text::Cp1252ToUtf8(cp1252));
}

std::string ToCp1252(const QString &text)
{
    return text::Utf8ToCp1252(text.toStdString());
}

TCaret CaretOf(const QsciScintilla &editor)
{
    const long pos = editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const long line = editor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, pos);
    const long column = editor.SendScintilla(QsciScintillaBase::SCI_GETCOLUMN, pos);
    const long virtualSpace =
        editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL);
    return TCaret{static_cast<int>(line) + 1, static_cast<int>(column + virtualSpace) + 1};
}

long PositionOf(const QsciScintilla &editor, int line, int column)
{
    return editor.SendScintilla(QsciScintillaBase::SCI_FINDCOLUMN,
                                static_cast<unsigned long>(line - 1), static_cast<long>(column - 1));
}

void SetCaret(QsciScintilla &editor, int line, int column)
{
    const long lineCount = editor.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    line = std::clamp<int>(line, 1, static_cast<int>(lineCount));
    column = std::max(column, 1);
    const long pos = PositionOf(editor, line, column);
    const long reached = editor.SendScintilla(QsciScintillaBase::SCI_GETCOLUMN, pos) + 1;
    editor.SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, pos);
    const long options = editor.SendScintilla(QsciScintillaBase::SCI_GETVIRTUALSPACEOPTIONS);
    if (reached < column && (options & QsciScintillaBase::SCVS_USERACCESSIBLE)) {
        const long missing = column - reached;
        editor.SendScintilla(QsciScintillaBase::SCI_SETSELECTIONNCARETVIRTUALSPACE, 0UL, missing);
        editor.SendScintilla(QsciScintillaBase::SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0UL, missing);
    }
    editor.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void InsertAsTyped(QsciScintilla &editor, const QString &text)
{
    const QByteArray bytes = editor.isUtf8() ? text.toUtf8() : text.toLatin1();
    editor.SendScintilla(QsciScintillaBase::SCI_REPLACESEL, bytes.constData());
}

void LineBreakAsEnter(QsciScintilla &editor)
{
    editor.SendScintilla(QsciScintillaBase::SCI_NEWLINE);
}

QString LineBreakText(const QsciScintilla &editor)
{
    switch (editor.eolMode()) {
    case QsciScintilla::EolWindows:
        return QStringLiteral("\r\n");
    case QsciScintilla::EolMac:
        return QStringLiteral("\r");
    default:
        return QStringLiteral("\n");
    }
}

}  // namespace tumbo::editor
