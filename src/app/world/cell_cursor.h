#pragma once
// World editing without a mouse: while the 2D view is shown, the tool box is open with a
// tool chosen and the world pane has the keyboard, a cell cursor stands on the map. The
// arrow keys move it, Space does on its cell what a click with the tool does, Shift+Space
// the opposite (takes what the tool puts, puts what it takes). Without a tool the arrow
// keys drive the robot as before. The cursor's cell is what the world's accessible
// description names while it is shown.
#include <QObject>
#include <QPoint>

#include <optional>

class QPainter;
struct TViewScale;

namespace tumbo::app {

class TMainForm;
class TWorldAccessible;

class TCellCursor : public QObject {
    Q_OBJECT
public:
    // Created after the world commands: its keys come before the robot keys.
    TCellCursor(TMainForm &form, TWorldAccessible &accessible, QObject *parent);
    ~TCellCursor() override;

    // The cell the cursor stands on, none while it is not shown.
    std::optional<QPoint> Cell() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Shown() const;
    void ToolChosen(bool down);
    // Follows a change of tool, view, tool box or focus: shows or hides the cursor.
    void Sync();
    void Move(int dx, int dy);
    void Edit(bool opposite);
    void Paint(QPainter &p, const TViewScale &scale) const;
    void Changed();

    TMainForm &form_;
    TWorldAccessible &accessible_;
    QPoint cell_;
    bool placed_ = false;  // the cursor has a cell of its own (first shown on the robot's)
    bool shown_ = false;   // as last drawn
};

}  // namespace tumbo::app
