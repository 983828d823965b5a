#include "app/world/world_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "app/window/accessible_event.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"
#include "world/world_description.h"

namespace tumbo::app {
namespace {

// The views are pictures to assistive technology; their name is the description.
class TWorldViewAccessible : public QAccessibleWidget {
public:
    explicit TWorldViewAccessible(QWidget *view) : QAccessibleWidget(view, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? widget()->accessibleName() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *WorldViewAccessible(const QString &, QObject *object)
{
    if (auto *view = qobject_cast<TWorldViewWidget *>(object))
        return new TWorldViewAccessible(view);
    return nullptr;
}

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

}  // namespace

TWorldAccessible::TWorldAccessible(TWeltQt &views, QLineEdit &keyCatcher,
                                   std::function<void(const QString &)> addInfoLine, QObject *parent)
    : QObject(parent), views_(views), keyCatcher_(keyCatcher), addInfoLine_(std::move(addInfoLine))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(WorldViewAccessible);
        return true;
    }();
    (void)factoryInstalled;

    refresh_.setSingleShot(true);
    refresh_.setInterval(50);
    connect(&refresh_, &QTimer::timeout, this, &TWorldAccessible::Refresh);
    views_.SetShownHook([this] {
        if (!refresh_.isActive())
            refresh_.start();
    });

    const QString keys = QStringLiteral(
        "Pfeiltasten: Tumbo dreht sich und geht. H: Ziegel hinlegen, A: Ziegel aufheben, M: Marke setzen oder "
        "löschen, Q: Quader aufstellen, E: Quader entfernen. Strg+Umschalt+B schreibt die Beschreibung in die "
        "Informationsliste. In der 2D-Ansicht mit einem Werkzeug aus der Toolbox (F6) wählen die Pfeiltasten ein "
        "Feld, die Leertaste wendet das Werkzeug an, Umschalt+Leertaste macht es rückgängig.");
    keyCatcher_.setAccessibleDescription(keys);
    if (QWidget *view = views_.Image3D())
        view->setAccessibleDescription(QStringLiteral("Die Welt von Tumbo, räumlich gezeichnet"));
    if (QWidget *view = views_.PaintBox2D())
        view->setAccessibleDescription(QStringLiteral("Die Welt von Tumbo als Karte von oben"));

    DescribeAction = new QAction(QStringLiteral("Welt beschreiben"), this);
    DescribeAction->setObjectName(QStringLiteral("Weltbeschreiben1"));
    DescribeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    DescribeAction->setShortcutContext(Qt::WindowShortcut);
    connect(DescribeAction, &QAction::triggered, this, [this] { addInfoLine_(Text()); });
    Refresh();
}

TWorldAccessible::~TWorldAccessible()
{
    views_.SetShownHook({});
}

QString TWorldAccessible::Text() const
{
    const TWelt &welt = views_.Welt();
    if (cursor_)
        return FromCore(DescribeCell(welt, cursor_->x(), cursor_->y()));
    return FromCore(DescribeWorld(welt));
}

void TWorldAccessible::Refresh()
{
    refresh_.stop();
    const QString text = Text();
    if (text == shown_)
        return;
    shown_ = text;
    for (QWidget *w : {static_cast<QWidget *>(&keyCatcher_), static_cast<QWidget *>(views_.Image3D()),
                       static_cast<QWidget *>(views_.PaintBox2D())}) {
        if (w) {
            w->setAccessibleName(text);
            TellAssistiveTechnology(w, QAccessible::NameChanged);
        }
    }
    emit Described(text);
}

void TWorldAccessible::SetCursorCell(std::optional<QPoint> cell)
{
    cursor_ = cell;
    Refresh();
}

void TWorldAccessible::AddToMenu(QMenu *menu)
{
    menu->addSeparator();
    menu->addAction(DescribeAction);
    if (QWidget *window = menu->parentWidget() ? menu->parentWidget()->window() : nullptr)
        window->addAction(DescribeAction);
}

}  // namespace tumbo::app
