#include "app/window/accessibility.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>

#include "app/run/run_control.h"
#include "app/settings/settings.h"
#include "app/window/high_contrast.h"
#include "app/window/info_list_announcer.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "app/world/cell_cursor.h"
#include "app/world/world_accessible.h"
#include "app/world/world_commands.h"

namespace tumbo::app {

TAccessibility::TAccessibility(TMainForm &form, QMenu &viewMenu, std::function<void()> usualEditorColours)
    : QObject(&form)
{
    setObjectName(QStringLiteral("Accessibility"));
    World = new TWorldAccessible(form.WeltViews(), *form.DummyEdit,
                                 [&form](const QString &line) { form.RunControl().AddInfoLine(line); }, this);
    Cursor = new TCellCursor(form, *World, this);
    Contrast = new THighContrast(form, form.WeltViews(), *form.Editor, std::move(usualEditorColours), this);
    InfoList = new TInfoListAnnouncer(*form.InfoBox, this);

    World->AddToMenu(&viewMenu);
    Contrast->AddToMenu(&viewMenu);
    AddMenuItemsForButtons(form, viewMenu);

    // Reading order: the program, the world, the overview, the messages.
    QWidget::setTabOrder(form.Editor, form.DummyEdit);
    QWidget::setTabOrder(form.DummyEdit, form.TreeView1);
    QWidget::setTabOrder(form.TreeView1, form.InfoBox);
    // Tab indents the program; Ctrl+Tab and Ctrl+Shift+Tab leave the editor.
    editor_ = form.Editor;
    editor_->installEventFilter(this);
}

bool TAccessibility::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == editor_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
            } else {
                const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
                MoveFocusFromEditor(forward);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TAccessibility::MoveFocusFromEditor(bool forward)
{
    QWidget *w = editor_;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    } while (w && w != editor_ &&
             (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled() || editor_->isAncestorOf(w)));
    if (w && w != editor_)
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void TAccessibility::AddMenuItemsForButtons(TMainForm &form, QMenu &viewMenu)
{
    // Commands that had only a button get a menu item, so the keyboard reaches them too.
    auto *restore = new QAction(QStringLiteral("Welt wiederherstellen"), this);
    restore->setObjectName(QStringLiteral("Weltwiederherstellen1"));
    connect(restore, &QAction::triggered, &form.WorldCommands(), &TWorldCommands::RestoreWorldCommand);
    if (auto *worldMenu = qobject_cast<QMenu *>(form.Weltloeschen1->parent())) {
        const QList<QAction *> items = worldMenu->actions();
        worldMenu->insertAction(items.value(items.indexOf(form.Weltloeschen1) + 1), restore);
    }
    auto *overview = new QAction(QStringLiteral("Übersicht aktualisieren"), this);
    overview->setObjectName(QStringLiteral("Uebersichtaktualisieren1"));
    connect(overview, &QAction::triggered, &form, &TMainForm::btnUebersichtClick);
    viewMenu.addAction(overview);
}

void TAccessibility::ApplySettings(const TumboSettings &s)
{
    Contrast->Set(s.HighContrast);
}

void TAccessibility::StoreSettings(TumboSettings &s) const
{
    s.HighContrast = Contrast->On();
}

}  // namespace tumbo::app
