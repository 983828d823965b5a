#pragma once
// What makes the window usable for every pupil, created and wired in one place: the world
// described for screen readers ("Welt beschreiben"), the information list announcing new
// lines, the cell cursor of the world editor, the high-contrast colours, and the tab
// order (program, world, overview, messages) with Ctrl+Tab to leave the editor, and menu
// items for the commands that had only a button.
#include <QObject>

#include <functional>

class QMenu;
class QWidget;

namespace tumbo::app {

class TMainForm;
class TWorldAccessible;
class TCellCursor;
class THighContrast;
class TInfoListAnnouncer;
struct TumboSettings;

class TAccessibility : public QObject {
    Q_OBJECT
public:
    // Puts its commands into the menu "Ansicht" (`viewMenu`); `usualEditorColours` gives
    // the program text the colours of the settings again.
    TAccessibility(TMainForm &form, QMenu &viewMenu, std::function<void()> usualEditorColours);

    void ApplySettings(const TumboSettings &s);
    void StoreSettings(TumboSettings &s) const;

    TWorldAccessible *World = nullptr;
    TCellCursor *Cursor = nullptr;
    THighContrast *Contrast = nullptr;
    TInfoListAnnouncer *InfoList = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MoveFocusFromEditor(bool forward);
    void AddMenuItemsForButtons(TMainForm &form, QMenu &viewMenu);

    QWidget *editor_ = nullptr;
};

}  // namespace tumbo::app
