#include "app/dialogs/dlg_goto_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

#include <QRegularExpression>

#include <algorithm>

#include "app/dialogs/dialog_util.h"

namespace tumbo::app {

TGotoDlg::TGotoDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Gehe zu ..."));
    setWindowFlags(DialogCloseOnlyFlags);
    edtLine = new QLineEdit(QStringLiteral("1"), this);
    edtLine->setObjectName(QStringLiteral("edtLine"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Verschiebe den Cursor in die Zeile:"), this));
    layout->addWidget(edtLine);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> TGotoDlg::LineNumber() const
{
    bool ok = false;
    const int n = edtLine->text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

bool TGotoDlg::Execute(QsciScintilla *editor)
{
    edtLine->selectAll();
    edtLine->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    const std::optional<int> n = LineNumber();
    if (!n)
        return false;
    GotoLine(editor, *n);
    return true;
}

void GotoLine(QsciScintilla *editor, int line)
{
    const int target = std::clamp(line, 1, std::max(1, editor->lines())) - 1;
    int caretLine = 0;
    int caretIndex = 0;
    editor->getCursorPosition(&caretLine, &caretIndex);
    // A caret past the line end stands in virtual space: that counts to its column.
    const unsigned long mainSelection = editor->SendScintilla(QsciScintillaBase::SCI_GETMAINSELECTION);
    const int column =
        caretIndex + int(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE, mainSelection));
    editor->setFirstVisibleLine(target);
    // Keep the column: on a shorter line past its end where the editor lets the caret
    // go there, else at its end.
    const int lineLength = int(editor->text(target).remove(QRegularExpression(QStringLiteral("[\r\n]+$"))).size());
    editor->setCursorPosition(target, std::min(column, lineLength));
    const bool pastLineEnd =
        editor->SendScintilla(QsciScintillaBase::SCI_GETVIRTUALSPACEOPTIONS) & QsciScintillaBase::SCVS_USERACCESSIBLE;
    if (pastLineEnd && column > lineLength) {
        const long beyond = column - lineLength;
        editor->SendScintilla(QsciScintillaBase::SCI_SETSELECTIONNCARETVIRTUALSPACE, 0UL, beyond);
        editor->SendScintilla(QsciScintillaBase::SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0UL, beyond);
    }
}

}  // namespace tumbo::app
