#include "editor/qt/overview_tree.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTreeWidget>

#include "editor/qt/editor_access.h"

namespace tumbo::editor {
namespace {

using Draw = void (*)(QPainter &);

// Every picture is drawn on a 16 x 16 grid and scaled to the requested size.
void DrawPlain(QPainter &p)
{
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

void DrawProgram(QPainter &p)  // a page with lines of text
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(0x20, 0x40, 0xC0), 1));
    for (int y = 4; y <= 12; y += 2)
        p.drawLine(QPointF(5, y + 0.5), QPointF(y % 4 ? 11 : 9, y + 0.5));
}

void DrawBook(QPainter &p, const QColor &cover)
{
    p.setBrush(cover);
    p.drawRect(QRectF(3.5, 2.5, 9, 11));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(5.5, 3), QPointF(5.5, 13));
}

void DrawTopEntry(QPainter &p) { DrawBook(p, QColor(0x90, 0x20, 0x20)); }

void DrawOwnWords(QPainter &p)
{
    DrawBook(p, QColor(0x20, 0x80, 0x30));
    p.setPen(QPen(Qt::yellow, 1.5));
    p.drawLine(QPointF(9, 6), QPointF(9, 11));
    p.drawLine(QPointF(6.5, 8.5), QPointF(11.5, 8.5));
}

void DrawArrow(QPainter &p, const QColor &color)
{
    QPainterPath arrow;
    arrow.moveTo(2, 6);
    arrow.lineTo(8, 6);
    arrow.lineTo(8, 2.5);
    arrow.lineTo(14, 8);
    arrow.lineTo(8, 13.5);
    arrow.lineTo(8, 10);
    arrow.lineTo(2, 10);
    arrow.closeSubpath();
    p.setBrush(color);
    p.drawPath(arrow);
}

void DrawInstruction(QPainter &p) { DrawArrow(p, QColor(0x20, 0x50, 0xE0)); }

void DrawCall(QPainter &p)
{
    DrawArrow(p, QColor(0x20, 0xA0, 0x40));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4, 6.5, 3, 3));
}

void DrawDefinition(QPainter &p)  // a block with a head bar
{
    p.setBrush(QColor(0xF0, 0xF0, 0xD0));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(QColor(0x20, 0x80, 0x30));
    p.drawRect(QRectF(2.5, 2.5, 11, 3));
    p.drawRect(QRectF(2.5, 5.5, 2, 8));
}

void DrawEndCondition(QPainter &p)  // a decision diamond
{
    QPolygonF diamond({QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)});
    p.setBrush(QColor(0xF0, 0xA0, 0x20));
    p.drawPolygon(diamond);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 5), QPointF(8, 9));
    p.drawPoint(QPointF(8, 11.5));
}

QIcon Picture(Draw draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    if (draw != nullptr) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(Qt::black, 1));
        draw(painter);
    }
    return QIcon(pixmap);
}

void AddChildren(QTreeWidgetItem &parent, const std::vector<TOverviewNode> &nodes, const QList<QIcon> &images);

QTreeWidgetItem *MakeItem(const TOverviewNode &node, const QList<QIcon> &images)
{
    auto *item = new QTreeWidgetItem(QStringList{FromCp1252(node.text)});
    if (node.image >= 0 && node.image < images.size())
        item->setIcon(0, images[node.image]);  // one icon serves the normal and the selected state
    item->setData(0, Qt::UserRole, node.image);
    AddChildren(*item, node.children, images);
    return item;
}

void AddChildren(QTreeWidgetItem &parent, const std::vector<TOverviewNode> &nodes, const QList<QIcon> &images)
{
    for (const auto &node : nodes)
        parent.addChild(MakeItem(node, images));
}

}  // namespace

QList<QIcon> OverviewImages(int size)
{
    const Draw draws[kOverviewImageCount] = {DrawPlain,      DrawProgram, DrawTopEntry,
                                             DrawOwnWords,   nullptr,     DrawInstruction,
                                             DrawCall,       DrawDefinition, DrawEndCondition};
    QList<QIcon> images;
    for (Draw draw : draws)
        images << Picture(draw, size);
    return images;
}

void FillOverview(QTreeWidget &tree, const std::vector<TOverviewNode> &nodes, const QList<QIcon> &images)
{
    tree.clear();
    for (const auto &node : nodes)
        tree.addTopLevelItem(MakeItem(node, images));
}

}  // namespace tumbo::editor
