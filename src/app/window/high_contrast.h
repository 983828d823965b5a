#pragma once
// "Ansicht → Hoher Kontrast": the world views in strong colours (a black grid at least
// two pixels wide; bricks, cuboids and marks apart in brightness as well as in hue), the
// program in strong colours with a wide caret, selections black on white, and a focus
// frame that is always to be seen. The usual colours are the default; the choice is kept
// in tumbo.ini. Qt 6.4 does not tell whether the desktop asks for high contrast, so the
// pupil or the teacher switches it on here.
#include <QObject>
#include <QPalette>
#include <QPointer>

#include <functional>

#include "app/window/focus_frame.h"

class QAction;
class QMenu;
class QsciScintilla;
class TWeltQt;

namespace tumbo::app {

class THighContrast : public QObject {
    Q_OBJECT
public:
    // `usualEditorColours` gives the program text the colours of the settings again.
    THighContrast(QWidget &window, TWeltQt &views, QsciScintilla &editor, std::function<void()> usualEditorColours,
                  QObject *parent);
    ~THighContrast() override;

    QAction *Action = nullptr;  // "Hoher Kontrast", checkable
    void AddToMenu(QMenu *menu);

    bool On() const { return on_; }
    // Switches every part to the strong or the usual colours; the menu's tick follows.
    void Set(bool on);
    TFocusFrame &FocusFrame() { return *frame_; }

private:
    void ColourEditor();

    QWidget &window_;
    TWeltQt &views_;
    QsciScintilla &editor_;
    std::function<void()> usualEditorColours_;
    QPalette usualPalette_;
    QPointer<TFocusFrame> frame_;  // a child of the window, gone with this
    bool on_ = false;
};

}  // namespace tumbo::app
