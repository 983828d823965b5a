#include "editor/qt/tumbo_lexer.h"

#include <QGuiApplication>
#include <QPalette>
#include <Qsci/qsciscintilla.h>

#include <string>
#include <vector>

#include "editor/highlighter_attributes.h"

namespace tumbo::editor {
namespace {

const THighlighterAttribute *AttributeOfStyle(int style)
{
    if (style < 0 || style >= kTokenKindCount)
        return nullptr;
    return AttributeForKind(static_cast<TtkTokenKind>(style));
}

// One Windows-1252 character per character of the line, and where each starts in `bytes`.
// Characters without a Windows-1252 letter meaning become 0x7F, which the scanner treats as
// an unknown character just as it would treat the original; only ASCII and the umlauts matter.
void DecodeLine(const QByteArray &bytes, bool utf8, std::string &chars, std::vector<int> &starts)
{
    chars.clear();
    starts.clear();
    const int size = static_cast<int>(bytes.size());
    for (int i = 0; i < size;) {
        starts.push_back(i);
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 1;
        unsigned int codePoint = lead;
        if (utf8 && lead >= 0xC0) {
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            codePoint = lead & (0x3F >> (length - 1));
            for (int k = 1; k < length; ++k) {
                if (i + k >= size || (static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) {
                    length = k;  // a broken sequence: its bytes count as one character
                    codePoint = 0x7F;
                    break;
                }
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
            }
        } else if (utf8 && lead >= 0x80) {
            codePoint = 0x7F;  // a stray continuation byte
        }
        const bool umlaut = codePoint == 0xC4 || codePoint == 0xD6 || codePoint == 0xDC ||
                            codePoint == 0xE4 || codePoint == 0xF6 || codePoint == 0xFC;
        chars.push_back(static_cast<char>(codePoint < 0x80 || umlaut ? codePoint : 0x7F));
        i += length;
    }
    starts.push_back(size);
}

}  // namespace

TumboLexer::TumboLexer(QObject *parent) : QsciLexerCustom(parent) {}

const char *TumboLexer::language() const
{
    static const std::string name(TSynTumboSyn::kLanguageName);
    return name.c_str();
}

QString TumboLexer::description(int style) const
{
    const THighlighterAttribute *attribute = AttributeOfStyle(style);
    return attribute ? QString::fromLatin1(attribute->displayName.data(),
                                           static_cast<int>(attribute->displayName.size()))
                     : QString();
}

QColor TumboLexer::defaultColor(int style) const
{
    const THighlighterAttribute *attribute = AttributeOfStyle(style);
    if (attribute == nullptr)
        return QsciLexerCustom::defaultColor(style);
    if (attribute->systemGrayText)
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    const TColor c = attribute->foreground;
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QFont TumboLexer::defaultFont(int style) const
{
    QFont font = QsciLexerCustom::defaultFont(style);
    if (const THighlighterAttribute *attribute = AttributeOfStyle(style)) {
        font.setBold(attribute->bold);
        font.setItalic(attribute->italic);
    }
    return font;
}

void TumboLexer::setBaseFont(const QFont &base)
{
    setDefaultFont(base);
    for (int style = 0; style < kTokenKindCount; ++style) {
        QFont font = base;
        if (const THighlighterAttribute *attribute = AttributeOfStyle(style)) {
            font.setBold(attribute->bold);
            font.setItalic(attribute->italic);
        }
        setFont(font, style);
    }
}

const char *TumboLexer::wordCharacters() const
{
    return "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
}

void TumboLexer::styleText(int start, int end)
{
    QsciScintilla *ed = editor();
    if (ed == nullptr)
        return;
    const long lineCount = ed->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const int firstLine = static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, start));
    const int lastLine = static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, end));
    int state = firstLine > 0
                    ? static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, firstLine - 1))
                    : kRangeNormal;
    // Past the requested range, go on while a line's end state differs from the one stored:
    // the following lines were coloured for another state.
    for (int line = firstLine; line < lineCount; ++line) {
        const int before = static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, line));
        state = styleLine(line, state);
        if (state != before)
            ed->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, line, state);
        else if (line >= lastLine)
            break;
    }
}

int TumboLexer::styleLine(int line, int startState)
{
    QsciScintilla *ed = editor();
    const long lineStart = ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long lineCount = ed->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const long lineEnd = line + 1 < lineCount
                             ? ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1)
                             : ed->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    QByteArray bytes(static_cast<int>(lineEnd - lineStart), '\0');
    if (!bytes.isEmpty())
        ed->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, lineStart, lineEnd, bytes.data());

    std::string chars;
    std::vector<int> starts;
    DecodeLine(bytes, ed->isUtf8(), chars, starts);

    TSynTumboSyn scanner;
    scanner.SetRange(startState);
    startStyling(static_cast<int>(lineStart));
    int styled = 0;  // bytes of the line styled so far
    for (scanner.SetLine(chars, line); !scanner.GetEol(); scanner.Next()) {
        const std::size_t first = static_cast<std::size_t>(scanner.GetTokenPos());
        const int tokenEnd = starts[first + scanner.GetToken().size()];
        setStyling(tokenEnd - styled, scanner.GetTokenKind());
        styled = tokenEnd;
    }
    if (styled < bytes.size())  // behind a NUL character the scanner sees no more of the line
        setStyling(static_cast<int>(bytes.size()) - styled, tkUnknown);
    return scanner.GetRange();
}

}  // namespace tumbo::editor
