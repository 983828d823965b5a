#include "editor/qt/completion_popup.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include "editor/completion_list.h"
#include "editor/qt/editor_access.h"
#include "editor/syn_highlighter_tumbo.h"

namespace tumbo::editor {
namespace {

constexpr char kSeparator = '\n';  // entries hold blanks, so the list needs another separator

bool IsCtrlSpace(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Space &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

CompletionPopup::CompletionPopup(QsciScintilla &editor) : QObject(&editor), editor_(editor)
{
    editor.installEventFilter(this);
    // Typing on, or deleting, re-filters the list once the editor has finished the key.
    connect(&editor, &QsciScintilla::textChanged, this, [this] {
        if (shown_)
            QTimer::singleShot(0, this, &CompletionPopup::refilter);
    });
}

// Set before every showing: the editor's own completion would set some of these its way.
void CompletionPopup::applySettings()
{
    auto send = [this](unsigned int message, long value) { editor_.SendScintilla(message, value); };
    send(QsciScintillaBase::SCI_AUTOCSETSEPARATOR, kSeparator);
    send(QsciScintillaBase::SCI_AUTOCSETORDER, QsciScintillaBase::SC_ORDER_CUSTOM);
    send(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, !TCompletionSettings::kCaseSensitive);
    send(QsciScintillaBase::SCI_AUTOCSETAUTOHIDE, 1);
    send(QsciScintillaBase::SCI_AUTOCSETCHOOSESINGLE, 0);
    send(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, TCompletionSettings::kVisibleEntries);
    const int charWidth = std::max(1, QFontMetrics(editor_.font()).averageCharWidth());
    send(QsciScintillaBase::SCI_AUTOCSETMAXWIDTH, TCompletionSettings::kWidth / charWidth);
    const std::string stops(TCompletionSettings::kEndOfTokenChars);
    editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCSTOPS, 0UL, stops.c_str());
}

QString CompletionPopup::typedWord() const
{
    const long caret = editor_.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const long line = editor_.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, caret);
    const long lineStart = editor_.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    if (editor_.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL) > 0)
        return {};
    QByteArray before(static_cast<int>(caret - lineStart), '\0');
    if (!before.isEmpty())
        editor_.SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, lineStart, caret, before.data());
    const QString head = editor_.isUtf8() ? QString::fromUtf8(before) : QString::fromLatin1(before);
    int start = static_cast<int>(head.size());
    while (start > 0 && IsWordChar(ToCp1252(head.mid(start - 1, 1)).front()))
        --start;
    return head.mid(start);
}

bool CompletionPopup::isActive() const
{
    return editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE) != 0;
}

bool CompletionPopup::show()
{
    const QString word = typedWord();
    const std::vector<std::string> matches = CompletionMatches(ToCp1252(word));
    if (matches.empty()) {
        editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
        shown_ = false;
        return false;
    }
    QStringList entries;
    for (const auto &entry : matches)
        entries << FromCp1252(entry);
    const QString list = entries.join(QChar(kSeparator));
    const QByteArray listBytes = editor_.isUtf8() ? list.toUtf8() : list.toLatin1();
    const QByteArray wordBytes = editor_.isUtf8() ? word.toUtf8() : word.toLatin1();
    applySettings();
    editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCSHOW, static_cast<unsigned long>(wordBytes.size()),
                          listBytes.constData());
    shown_ = isActive();
    return shown_;
}

void CompletionPopup::refilter()
{
    if (!shown_)
        return;
    if (!isActive()) {  // chosen, cancelled, or the caret left the word
        shown_ = false;
        return;
    }
    show();
}

bool CompletionPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &editor_)
        return false;
    if (event->type() == QEvent::ShortcutOverride && IsCtrlSpace(static_cast<QKeyEvent &>(*event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && IsCtrlSpace(static_cast<QKeyEvent &>(*event))) {
        if (!editor_.isReadOnly())
            show();
        return true;
    }
    return false;
}

}  // namespace tumbo::editor
