#include "app/world/cell_cursor.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>

#include "app/history/run_history.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/world/world_accessible.h"
#include "app/world/world_commands.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_tools.h"
#include "world/welt.h"

namespace tumbo::app {

TCellCursor::TCellCursor(TMainForm &form, TWorldAccessible &accessible, QObject *parent)
    : QObject(parent), form_(form), accessible_(accessible)
{
    setObjectName(QStringLiteral("CellCursor"));
    tumbo::world::TWorldTools &tools = *form_.WorldCommands().WorldTools;
    for (QToolButton *b : {tools.btnZiegel, tools.btnZiegelD, tools.btnMarke, tools.btnMarkeD, tools.btnQuader,
                           tools.btnQuaderD, tools.btnTumbo})
        connect(b, &QToolButton::toggled, this, &TCellCursor::ToolChosen);
    connect(&tools, &tumbo::world::TWorldTools::Hidden, this, &TCellCursor::Sync);
    for (QAction *a : {form_.Darstellung2D1, form_.Weltdirektfestlegen1})
        connect(a, &QAction::triggered, this, &TCellCursor::Sync);
    connect(form_.btnDarstell2D, &QToolButton::clicked, this, &TCellCursor::Sync);
    form_.DummyEdit->installEventFilter(this);
    form_.WeltViews().PaintBox2D()->SetCursorOverlay(
        [this](QPainter &p, const TViewScale &scale) { Paint(p, scale); });
}

TCellCursor::~TCellCursor()
{
    if (TPaintBox2D *box = form_.WeltViews().PaintBox2D())
        box->SetCursorOverlay({});
}

bool TCellCursor::Shown() const
{
    const tumbo::world::TWorldTools &tools = *form_.WorldCommands().WorldTools;
    return form_.WeltViews().Is2D() && tools.isVisible() && tools.SelectedTool() && form_.DummyEdit->hasFocus();
}

std::optional<QPoint> TCellCursor::Cell() const
{
    if (!Shown())
        return std::nullopt;
    // The room may have shrunk since the cursor was placed.
    const TRaum &room = form_.Welt().Room;
    return QPoint(std::clamp(cell_.x(), 0, room.Width() - 1), std::clamp(cell_.y(), 0, room.Length() - 1));
}

void TCellCursor::ToolChosen(bool down)
{
    // A tool chosen in the tool box (by Space as well as by a click) hands the keys back to
    // the world, where the cursor waits.
    if (down && form_.WeltViews().Is2D()) {
        form_.activateWindow();
        form_.DummyEdit->setFocus(Qt::OtherFocusReason);
    }
    Sync();
}

void TCellCursor::Sync()
{
    const bool shown = Shown();
    if (shown && !placed_) {
        cell_ = QPoint(form_.Welt().Robot.X, form_.Welt().Robot.Y);
        placed_ = true;
    }
    if (shown == shown_)
        return;
    shown_ = shown;
    Changed();
}

void TCellCursor::Changed()
{
    if (const auto cell = Cell())
        cell_ = *cell;
    form_.pbTumbo2D->update();
    accessible_.SetCursorCell(Cell());
    if (shown_) {
        const QRect cell = form_.WeltViews().ViewScale().Map(TWeltView2D::CellsRect(cell_.x(), cell_.y(), cell_.x() + 1, cell_.y() + 1));
        const QPoint centre = form_.pbTumbo2D->mapTo(form_.ScrollBox->widget(), cell.center());
        form_.ScrollBox->ensureVisible(centre.x(), centre.y(), cell.width(), cell.height());
    }
}

void TCellCursor::Move(int dx, int dy)
{
    const TRaum &room = form_.Welt().Room;
    cell_ = QPoint(std::clamp(cell_.x() + dx, 0, room.Width() - 1), std::clamp(cell_.y() + dy, 0, room.Length() - 1));
    Changed();
}

void TCellCursor::Edit(bool opposite)
{
    // An earlier step of the run is shown: the world is history, not to be edited.
    if (form_.History().Behind())
        return;
    const auto tool = form_.WorldCommands().WorldTools->SelectedTool();
    const auto cell = Cell();
    if (!tool || !cell)
        return;
    const bool put = tool->put != opposite;
    if (!put && tool->item == TWeltTool::Robot)
        return;  // the robot is moved, never taken away
    form_.History().LeaveReplay();
    if (put)
        form_.Welt().EditAddCell(cell->x(), cell->y(), tool->item);
    else
        form_.Welt().EditRemoveCell(cell->x(), cell->y(), tool->item);
    form_.RunControl().UpdateStatusFields();
    accessible_.Refresh();
}

bool TCellCursor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != form_.DummyEdit)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        Sync();
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!Shown() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            break;
        int dx = 0, dy = 0;
        switch (key->key()) {
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        case Qt::Key_Space: break;
        default: return false;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            // Space and Shift+Space belong to the cursor, not to a shortcut of the window.
            event->accept();
            return true;
        }
        if (key->key() == Qt::Key_Space)
            Edit(key->modifiers() & Qt::ShiftModifier);
        else
            Move(dx, dy);
        return true;
    }
    default:
        break;
    }
    return false;
}

void TCellCursor::Paint(QPainter &p, const TViewScale &scale) const
{
    const auto cell = Cell();
    if (!cell)
        return;
    // A magenta ring between two black ones: unlike the grid, and seen on every fill of
    // the map (white, dark red, blue, yellow).
    const QRect box(TWeltView2D::Project2D(cell->x(), cell->y(), scale),
                    TWeltView2D::Project2D(cell->x() + 1, cell->y() + 1, scale));
    const int thin = std::max(1, scale.LineWidth()), ring = 3 * thin;
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    auto frame = [&p](const QRect &r, int width, QColor colour) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
        p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
        p.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
        p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
    };
    frame(box, 2 * thin + ring, Qt::black);
    frame(box.adjusted(thin, thin, -thin, -thin), ring, QColor(255, 0, 255));
    p.restore();
}

}  // namespace tumbo::app
