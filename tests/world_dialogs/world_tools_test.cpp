// The tool box "Festlegen": buttons, their group, the chosen tool and closing.
#include "world/qt/world_tools.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using tumbo::world::TWorldTools;
using Item = TWorldTools::Item;

namespace {

QList<QToolButton *> Buttons(TWorldTools &tools)
{
    return {tools.btnZiegel, tools.btnZiegelD, tools.btnMarke, tools.btnMarkeD,
            tools.btnQuader, tools.btnQuaderD, tools.btnTumbo, tools.ToolButton1};
}

TEST(WorldTools, CaptionHintsAndButtonSizes)
{
    TWorldTools tools;
    EXPECT_EQ(tools.windowTitle(), QStringLiteral("Festlegen"));
    EXPECT_TRUE(tools.windowFlags() & Qt::Tool);
    EXPECT_FALSE(tools.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(tools.windowFlags() & Qt::WindowSystemMenuHint);
    const char *hints[] = {"Ziegel setzen",  "Ziegel entfernen", "Marke setzen",
                           "Marke entfernen", "Quader setzen",   "Quader entfernen",
                           "Tumbo setzen",   "Toolbox schließen"};
    const auto buttons = Buttons(tools);
    for (int i = 0; i < TWorldTools::ButtonCount; ++i) {
        EXPECT_EQ(buttons[i]->toolTip(), QString::fromUtf8(hints[i]));
        EXPECT_EQ(buttons[i]->size(), QSize(40, 40));
        EXPECT_EQ(buttons[i]->iconSize(), QSize(32, 32));
        EXPECT_EQ(buttons[i]->isCheckable(), i < 7) << i;
        EXPECT_FALSE(buttons[i]->isChecked());
    }
    // Four rows of two.
    tools.show();
    EXPECT_EQ(tools.btnZiegel->y(), tools.btnZiegelD->y());
    EXPECT_LT(tools.btnZiegel->x(), tools.btnZiegelD->x());
    EXPECT_LT(tools.btnZiegel->y(), tools.btnMarke->y());
    EXPECT_EQ(tools.btnTumbo->y(), tools.ToolButton1->y());
    EXPECT_LT(tools.btnQuader->y(), tools.btnTumbo->y());
    tools.hide();
}

TEST(WorldTools, AtMostOneToolIsDown)
{
    TWorldTools tools;
    EXPECT_FALSE(tools.SelectedTool().has_value());

    struct Step {
        QToolButton *TWorldTools::*button;
        std::optional<TWorldTools::Tool> expected;
    };
    const Step steps[] = {
        {&TWorldTools::btnMarke, TWorldTools::Tool{Item::Mark, true}},
        {&TWorldTools::btnQuaderD, TWorldTools::Tool{Item::Cuboid, false}},
        {&TWorldTools::btnZiegel, TWorldTools::Tool{Item::Brick, true}},
        {&TWorldTools::btnZiegelD, TWorldTools::Tool{Item::Brick, false}},
        {&TWorldTools::btnMarkeD, TWorldTools::Tool{Item::Mark, false}},
        {&TWorldTools::btnQuader, TWorldTools::Tool{Item::Cuboid, true}},
        {&TWorldTools::btnTumbo, TWorldTools::Tool{Item::Robot, true}},
        {&TWorldTools::btnTumbo, std::nullopt},  // clicking the down button raises it
    };
    for (const Step &s : steps) {
        QTest::mouseClick(tools.*(s.button), Qt::LeftButton);
        EXPECT_EQ(tools.SelectedTool(), s.expected) << (tools.*(s.button))->toolTip().toStdString();
        int down = 0;
        for (QToolButton *b : Buttons(tools))
            down += b->isChecked() ? 1 : 0;
        EXPECT_EQ(down, s.expected ? 1 : 0);
    }
}

TEST(WorldTools, ShowingSetsTheWidthAndTheCloseButtonHides)
{
    QWidget mainWindow;
    TWorldTools tools(&mainWindow);
    mainWindow.show();
    QSignalSpy hidden(&tools, &TWorldTools::Hidden);
    tools.resize(300, 200);
    tools.show();
    EXPECT_EQ(tools.width(), TWorldTools::BoxWidth);
    EXPECT_TRUE(tools.isVisible());

    QTest::mouseClick(tools.btnMarke, Qt::LeftButton);
    QTest::mouseClick(tools.ToolButton1, Qt::LeftButton);
    EXPECT_FALSE(tools.isVisible());
    EXPECT_EQ(hidden.count(), 1);

    // The chosen tool survives hiding and showing the box.
    tools.resize(200, 200);
    tools.show();
    EXPECT_EQ(tools.width(), TWorldTools::BoxWidth);
    ASSERT_TRUE(tools.SelectedTool().has_value());
    EXPECT_EQ(tools.SelectedTool()->item, Item::Mark);
}

TEST(WorldTools, ImagesAre32By32AndDifferent)
{
    QList<QImage> images;
    for (int i = 0; i < TWorldTools::ButtonCount; ++i) {
        const QImage img = TWorldTools::ToolImage(i).toImage();
        EXPECT_EQ(img.size(), QSize(32, 32));
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(opaque, 50) << "image " << i << " is nearly empty";
        for (const QImage &earlier : images)
            EXPECT_NE(img, earlier) << "image " << i << " repeats an earlier one";
        images << img;
    }
}

}  // namespace
