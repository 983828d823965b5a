// The tool box "Festlegen" for editing the world with the mouse in the 2D view:
// seven toggle buttons (of which at most one is down) choose what a click on a cell
// puts or takes, an eighth button closes the box.
#pragma once

#include <QWidget>

#include <optional>

#include "world/welt.h"

class QToolButton;

namespace tumbo::world {

class TWorldTools : public QWidget {
    Q_OBJECT
public:
    using Item = TWeltTool;
    struct Tool {
        Item item;
        bool put;  // true: a click puts the item (EditAdd), false: takes it (EditRemove)
        bool operator==(const Tool &) const = default;
    };

    static constexpr int ButtonCount = 8;
    static constexpr int ImageSize = 32;
    static constexpr int ButtonSize = 40;
    static constexpr int BoxWidth = 90;

    // `parent` is the main window: the box stays above it.
    explicit TWorldTools(QWidget *parent = nullptr);

    // The tool of the button that is down, looking at the buttons in the order
    // btnZiegel, btnZiegelD, btnMarke, btnMarkeD, btnQuader, btnQuaderD, btnTumbo;
    // empty when none is down.
    std::optional<Tool> SelectedTool() const;

    // The button's picture, index 0 to 7 in the order of the buttons.
    static QPixmap ToolImage(int index);

    QToolButton *btnZiegel;
    QToolButton *btnZiegelD;
    QToolButton *btnMarke;
    QToolButton *btnMarkeD;
    QToolButton *btnQuader;
    QToolButton *btnQuaderD;
    QToolButton *btnTumbo;
    QToolButton *ToolButton1;

signals:
    // The box was hidden (by "Toolbox schließen" or by the main window).
    void Hidden();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ToolToggled(QToolButton *button, bool down);
    QToolButton *toolButtons_[7];
};

}  // namespace tumbo::world
