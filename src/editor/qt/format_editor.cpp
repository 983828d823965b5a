#include "editor/qt/format_editor.h"

#include <Qsci/qsciscintilla.h>

#include <string>
#include <vector>

#include "editor/format_utf8.h"

namespace tumbo::editor {
namespace {

QString LineWithoutBreak(const QsciScintilla &editor, int line)
{
    QString text = editor.text(line);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

}  // namespace

bool FormatEditor(QsciScintilla &editor, bool formatToken, bool *tooLarge)
{
    const int lineCount = editor.lines();
    std::vector<std::string> lines;
    std::vector<QString> before;
    for (int i = 0; i < lineCount; ++i) {
        before.push_back(LineWithoutBreak(editor, i));
        lines.push_back(before.back().toStdString());
    }
    const TFormatResult result = FormatUtf8Lines(lines, editor.tabWidth(), formatToken);
    if (tooLarge)
        *tooLarge = result.TooLarge;

    bool changed = false;
    for (int i = 0; i < lineCount && i < static_cast<int>(result.Lines.size()); ++i) {
        const QString after = QString::fromStdString(result.Lines[i]);
        if (after == before[i])
            continue;
        if (!changed)
            editor.beginUndoAction();
        changed = true;
        const long start = editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(i));
        const long end = editor.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(i));
        const QByteArray bytes = editor.isUtf8() ? after.toUtf8() : after.toLatin1();
        editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
        editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                             bytes.constData());
    }
    if (changed) {
        editor.endUndoAction();
        editor.setModified(true);
    }
    return changed;
}

}  // namespace tumbo::editor
