// The overview's pictures and the tree filler.
#include <gtest/gtest.h>

#include <QImage>
#include <QTreeWidget>

#include "editor/qt/overview_tree.h"

using namespace tumbo::editor;

namespace {

QImage ImageOf(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }

bool HasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

}  // namespace

TEST(OverviewTree, PicturesAreDrawnAndDistinct)
{
    const QList<QIcon> images = OverviewImages();
    ASSERT_EQ(images.size(), kOverviewImageCount);
    EXPECT_FALSE(HasInk(ImageOf(images[4])));
    for (int i : {0, 1, 2, 3, 5, 6, 7, 8}) {
        EXPECT_TRUE(HasInk(ImageOf(images[i]))) << i;
        for (int j : {0, 1, 2, 3, 5, 6, 7, 8}) {
            if (i < j) {
                EXPECT_NE(ImageOf(images[i]), ImageOf(images[j])) << i << " " << j;
            }
        }
    }
}

TEST(OverviewTree, FillReplacesTheItems)
{
    QTreeWidget tree;
    FillOverview(tree, EmptyOverview());
    std::vector<TOverviewNode> nodes = EmptyOverview();
    nodes[4] = TOverviewNode{"Dieses Programm", oiProgram,
                             {TOverviewNode{"wiederhole 3 mal", oiPlain, {TOverviewNode{"Schritt", oiInstruction, {}}}}}};
    FillOverview(tree, nodes);
    ASSERT_EQ(tree.topLevelItemCount(), 5);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Kontrollstrukturen");
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 11);
    EXPECT_EQ(tree.topLevelItem(0)->child(10)->text(0), QString::fromUtf8("Einfügen PFAD *Einfügen"));
    EXPECT_EQ(tree.topLevelItem(1)->child(6)->text(0), QString::fromUtf8("MarkeLöschen"));
    QTreeWidgetItem *program = tree.topLevelItem(4);
    EXPECT_EQ(program->data(0, Qt::UserRole).toInt(), oiProgram);
    ASSERT_EQ(program->childCount(), 1);
    QTreeWidgetItem *step = program->child(0)->child(0);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->text(0), "Schritt");
    EXPECT_EQ(step->data(0, Qt::UserRole).toInt(), oiInstruction);
    EXPECT_EQ(ImageOf(step->icon(0)), ImageOf(OverviewImages()[oiInstruction]));
    EXPECT_FALSE(program->isExpanded());
}
