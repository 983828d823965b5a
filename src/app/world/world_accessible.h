#pragma once
// The world for pupils who cannot see it: the 3D and 2D views and the robot's key
// catcher carry the world's description as their accessible name ("Tumbo steht auf Feld
// (3, 2) …"), renewed after every robot action and edit, so that a screen reader hears
// the change; while the world editor's cell cursor is shown they name that cell instead.
// "Welt beschreiben" (Ctrl+Shift+B) writes the description into the information list.
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class QAction;
class QLineEdit;
class QMenu;
class TWeltQt;

namespace tumbo::app {

class TWorldAccessible : public QObject {
    Q_OBJECT
public:
    // `addInfoLine` writes a line into the information list.
    TWorldAccessible(TWeltQt &views, QLineEdit &keyCatcher, std::function<void(const QString &)> addInfoLine,
                     QObject *parent);
    ~TWorldAccessible() override;

    // The description now: the world, or the cell under the cell cursor.
    QString Text() const;
    // Puts the description on the views and the key catcher if it changed.
    void Refresh();
    // While set, the description names this cell (the world editor's cell cursor).
    void SetCursorCell(std::optional<QPoint> cell);

    // Adds "Welt beschreiben" to `menu`; its key works wherever the focus is in the window.
    void AddToMenu(QMenu *menu);
    QAction *DescribeAction = nullptr;  // "Welt beschreiben", Ctrl+Shift+B

signals:
    // The description changed to `text` (and assistive technology was told).
    void Described(const QString &text);

private:
    TWeltQt &views_;
    QLineEdit &keyCatcher_;
    std::function<void(const QString &)> addInfoLine_;
    std::optional<QPoint> cursor_;
    QString shown_;
    // Many updates in a row (a fast run) name the world once, when they pause.
    QTimer refresh_;
};

}  // namespace tumbo::app
