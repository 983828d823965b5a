#include "editor/qt/format_editor.h"

#include <Qsci/qsciscintilla.h>

#include <string>
#include <vector>

#include "editor/formatter.h"
#include "editor/qt/editor_access.h"

namespace tumbo::editor {
namespace {

// Windows-1252 cannot hold every character of the editor. Such characters travel through the
// formatter as a placeholder byte that the formatter leaves alone (one of the codes the code
// page leaves undefined, chosen so that it does not occur in the line) and are put back after.
struct TEncodedLine {
    std::string cp1252;
    std::vector<QString> stash;  // the characters behind the placeholders, in order
    char placeholder = '\x81';
};

bool Representable(const QString &character)
{
    return FromCp1252(ToCp1252(character)) == character;
}

TEncodedLine Encode(const QString &line)
{
    TEncodedLine encoded;
    for (char candidate : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
        encoded.placeholder = candidate;
        if (!line.contains(FromCp1252(std::string(1, candidate))))
            break;
    }
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype length = line[i].isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QString character = line.mid(i, length);
        if (Representable(character)) {
            encoded.cp1252 += ToCp1252(character);
        } else {
            encoded.cp1252 += encoded.placeholder;
            encoded.stash.push_back(character);
        }
        i += length;
    }
    return encoded;
}

QString Decode(const std::string &cp1252, const TEncodedLine &original)
{
    if (original.stash.empty())
        return FromCp1252(cp1252);
    QString line;
    std::size_t next = 0;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= cp1252.size(); ++i) {
        if (i == cp1252.size() || (cp1252[i] == original.placeholder && next < original.stash.size())) {
            line += FromCp1252(cp1252.substr(runStart, i - runStart));
            if (i < cp1252.size())
                line += original.stash[next++];
            runStart = i + 1;
        }
    }
    return line;
}

QString LineWithoutBreak(const QsciScintilla &editor, int line)
{
    QString text = editor.text(line);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

}  // namespace

bool FormatEditor(QsciScintilla &editor, bool formatToken)
{
    const int lineCount = editor.lines();
    std::vector<TEncodedLine> encoded;
    std::vector<std::string> lines;
    std::vector<QString> before;
    for (int i = 0; i < lineCount; ++i) {
        before.push_back(LineWithoutBreak(editor, i));
        encoded.push_back(Encode(before.back()));
        lines.push_back(encoded.back().cp1252);
    }
    const TFormatResult result = FormatLines(lines, editor.tabWidth(), formatToken);

    bool changed = false;
    for (int i = 0; i < lineCount && i < static_cast<int>(result.Lines.size()); ++i) {
        const QString after = Decode(result.Lines[i], encoded[i]);
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
