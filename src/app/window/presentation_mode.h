#pragma once
// "Ansicht → Präsentation" (F11): for the projector in front of a class. The window goes
// full screen, every text in it (editor, overview, information list, menus, status) is
// drawn 1.6 times as large, the bars, the overview column and the bottom panel grow with
// it and the world is fitted into its pane; leaving the mode puts everything back as it
// was. tumbo.ini keeps whether the mode was on.
#include <QFont>
#include <QObject>
#include <QRect>

#include <vector>

class QAction;
class QMenu;

namespace tumbo::app {

class TMainForm;
class TViewScaleControl;

class TPresentationMode : public QObject {
    Q_OBJECT
public:
    static constexpr double kTextFactor = 1.6;

    TPresentationMode(TMainForm &form, TViewScaleControl &scale, QMenu &menu);

    QAction *Action = nullptr;  // "Präsentation", F11, checkable
    bool Active() const { return active_; }
    void SetActive(bool on);
    // The overview column's width and the bottom panel's height before the mode, kept
    // while the mode is on.
    int NormalOverviewWidth() const { return overviewWidth_; }
    int NormalBottomHeight() const { return bottomHeight_; }

    // The key "Praesentation" of the section [Ansicht].
    static constexpr const char *kSection = "Ansicht", *kKey = "Praesentation";

private:
    void Enter();
    void Leave();
    void EnlargeBottom();

    TMainForm &form_;
    TViewScaleControl &scale_;
    bool active_ = false;
    // As it was before the mode.
    std::vector<QFont> appFonts_;  // of the application and of the widget kinds
    int editorZoom_ = 0;
    int scalePercent_ = 0;
    int overviewWidth_ = 0;
    int bottomHeight_ = 0;
    bool wasMaximized_ = false;
    QRect geometry_;
};

}  // namespace tumbo::app
