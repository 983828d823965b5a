#include "world/qt/world_tools.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QShowEvent>
#include <QToolButton>

namespace tumbo::world {

namespace {

struct ButtonSpec {
    const char *name;
    const char *hint;
};

constexpr ButtonSpec kButtons[TWorldTools::ButtonCount] = {
    {"btnZiegel", "Ziegel setzen"},   {"btnZiegelD", "Ziegel entfernen"},
    {"btnMarke", "Marke setzen"},     {"btnMarkeD", "Marke entfernen"},
    {"btnQuader", "Quader setzen"},   {"btnQuaderD", "Quader entfernen"},
    {"btnTumbo", "Tumbo setzen"},     {"ToolButton1", "Toolbox schließen"},
};

// The same colours as the 2D view, so the pictures match what a click produces.
const QColor kBrickFill(205, 0, 0);
const QColor kBrickLine(255, 0, 0);
const QColor kCuboidFill(64, 64, 64);
const QColor kCuboidLine(128, 128, 128);
const QColor kMarkFill(255, 255, 0);

void DrawBrickStack(QPainter &p)
{
    // Two bricks seen from the front, with mortar joints.
    p.setPen(QPen(kBrickLine, 1));
    p.setBrush(kBrickFill);
    p.drawRect(3, 16, 22, 11);
    p.drawRect(3, 5, 22, 11);
    p.setPen(QPen(QColor(255, 200, 200), 1));
    p.drawLine(14, 6, 14, 15);
    p.drawLine(8, 17, 8, 26);
    p.drawLine(20, 17, 20, 26);
}

void DrawMark(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kMarkFill);
    p.drawRect(4, 4, 22, 22);
}

void DrawCuboid(QPainter &p)
{
    // A block in oblique view: front face, top face, side face.
    p.setPen(QPen(kCuboidLine, 1));
    p.setBrush(kCuboidFill);
    p.drawRect(3, 10, 18, 18);
    p.setBrush(kCuboidFill.lighter(150));
    p.drawPolygon(QPolygon({QPoint(3, 10), QPoint(10, 3), QPoint(28, 3), QPoint(21, 10)}));
    p.setBrush(kCuboidFill.darker(130));
    p.drawPolygon(QPolygon({QPoint(21, 10), QPoint(28, 3), QPoint(28, 21), QPoint(21, 28)}));
}

void DrawRobot(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({QPoint(6, 26), QPoint(24, 26), QPoint(15, 4)}));
}

// A round badge in the lower right corner: plus for putting, minus for taking.
void DrawBadge(QPainter &p, bool plus)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(plus ? QColor(0, 150, 0) : QColor(0, 0, 160));
    p.drawEllipse(QRect(19, 19, 12, 12));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(22, 25, 28, 25);
    if (plus)
        p.drawLine(25, 22, 25, 28);
}

void DrawClose(QPainter &p)
{
    p.setPen(QPen(QColor(64, 64, 64), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 8, 24, 24);
    p.drawLine(24, 8, 8, 24);
}

}  // namespace

TWorldTools::TWorldTools(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Festlegen"));
    // A tool window above its main window, with a title but no system buttons.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolTip(QStringLiteral("Einen Gegenstand auswählen"));
    auto *grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    QToolButton *buttons[ButtonCount];
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(kButtons[i].name));
        b->setToolTip(QString::fromUtf8(kButtons[i].hint));
        b->setAccessibleName(b->toolTip());
        b->setIcon(QIcon(ToolImage(i)));
        b->setIconSize(QSize(ImageSize, ImageSize));
        b->setFixedSize(ButtonSize, ButtonSize);
        b->setAutoRaise(true);
        grid->addWidget(b, i / 2, i % 2);
        buttons[i] = b;
    }
    btnZiegel = buttons[0];
    btnZiegelD = buttons[1];
    btnMarke = buttons[2];
    btnMarkeD = buttons[3];
    btnQuader = buttons[4];
    btnQuaderD = buttons[5];
    btnTumbo = buttons[6];
    ToolButton1 = buttons[7];

    // One group in which at most one button is down; clicking the button that is
    // down raises it again, so "no tool" can be chosen too.
    for (int i = 0; i < 7; ++i) {
        toolButtons_[i] = buttons[i];
        buttons[i]->setCheckable(true);
        connect(buttons[i], &QToolButton::toggled, this,
                [this, b = buttons[i]](bool down) { ToolToggled(b, down); });
    }
    connect(ToolButton1, &QToolButton::clicked, this, &QWidget::hide);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(bar, 0, 0, Qt::AlignHCenter | Qt::AlignTop);
}

void TWorldTools::ToolToggled(QToolButton *button, bool down)
{
    if (!down)
        return;
    for (QToolButton *other : toolButtons_)
        if (other != button && other->isChecked())
            other->setChecked(false);
}

std::optional<TWorldTools::Tool> TWorldTools::SelectedTool() const
{
    static constexpr Tool kTools[7] = {
        {Item::Brick, true},  {Item::Brick, false},  {Item::Mark, true}, {Item::Mark, false},
        {Item::Cuboid, true}, {Item::Cuboid, false}, {Item::Robot, true},
    };
    for (int i = 0; i < 7; ++i)
        if (toolButtons_[i]->isChecked())
            return kTools[i];
    return std::nullopt;
}

QPixmap TWorldTools::ToolImage(int index)
{
    QPixmap pixmap(ImageSize, ImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, index == 6 || index == 7);
    switch (index) {
    case 0: DrawBrickStack(p); DrawBadge(p, true); break;
    case 1: DrawBrickStack(p); DrawBadge(p, false); break;
    case 2: DrawMark(p); DrawBadge(p, true); break;
    case 3: DrawMark(p); DrawBadge(p, false); break;
    case 4: DrawCuboid(p); DrawBadge(p, true); break;
    case 5: DrawCuboid(p); DrawBadge(p, false); break;
    case 6: DrawRobot(p); break;
    default: DrawClose(p); break;
    }
    return pixmap;
}

void TWorldTools::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    resize(BoxWidth, height());
}

void TWorldTools::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit Hidden();
}

}  // namespace tumbo::world
