#include "editor/qt/short_input_menu_qt.h"

#include <QMenu>
#include <Qsci/qsciscintilla.h>

#include "editor/qt/editor_access.h"
#include "editor/short_input.h"
#include "editor/short_input_menu.h"

namespace tumbo::editor {
namespace {

void AddItems(QMenu &menu, const std::vector<TShortInputMenuItem> &items, QsciScintilla &editor)
{
    for (const auto &item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsSubmenu()) {
            AddItems(*menu.addMenu(FromCp1252(item.caption)), item.items, editor);
        } else {
            QAction *action = menu.addAction(FromCp1252(item.caption));
            action->setData(item.tag);
            const int tag = item.tag;
            QObject::connect(action, &QAction::triggered, &editor, [&editor, tag] { Kurzeingabe(editor, tag); });
        }
    }
}

}  // namespace

bool Kurzeingabe(QsciScintilla &editor, int tag)
{
    const auto plan = ShortInputFor(tag, editor.tabWidth());
    if (!plan)
        return false;
    const TCaret start = CaretOf(editor);
    editor.beginUndoAction();
    for (const auto &step : plan->steps) {
        if (step.lineBreak)
            LineBreakAsEnter(editor);
        else
            InsertAsTyped(editor, FromCp1252(step.text));
    }
    SetCaret(editor, start.line + plan->lineOffset, start.column + plan->columnOffset);
    editor.endUndoAction();
    return true;
}

QMenu *CreateShortInputMenu(QsciScintilla &editor, bool extendedSyntax, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(extendedSyntax ? QStringLiteral("EditorXPopupMenu")
                                       : QStringLiteral("EditorPopupMenu"));
    AddItems(*menu, ShortInputMenu(extendedSyntax), editor);
    return menu;
}

ShortInputContextMenu::ShortInputContextMenu(QsciScintilla &editor, bool extendedSyntax)
    : QObject(&editor), editor_(editor)
{
    editor.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&editor, &QWidget::customContextMenuRequested, this, &ShortInputContextMenu::show);
    setExtendedSyntax(extendedSyntax);
}

void ShortInputContextMenu::setExtendedSyntax(bool extendedSyntax)
{
    if (menu_ && extended_ == extendedSyntax)
        return;
    extended_ = extendedSyntax;
    delete menu_;
    menu_ = CreateShortInputMenu(editor_, extendedSyntax, &editor_);
}

void ShortInputContextMenu::show(const QPoint &viewportPos)
{
    if (menu_ && !editor_.isReadOnly())
        menu_->popup(editor_.viewport()->mapToGlobal(viewportPos));
}

}  // namespace tumbo::editor
