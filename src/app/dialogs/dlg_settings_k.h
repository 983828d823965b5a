#pragma once
// The robot settings dialog "Einstellungen Tumbo": step delay, restoring the world
// before a run, jump height, counting of carried bricks and what a robot failure does.
// Fill it with Load() just before showing it; after OK, Store() writes the fields back.
#include <QDialog>

#include "app/settings/settings.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace tumbo {
class TSpinEdit;
}

namespace tumbo::app {

class TSettingsDlgK : public QDialog {
    Q_OBJECT
public:
    explicit TSettingsDlgK(QWidget *parent = nullptr);

    void Load(const TumboSettings &settings);
    // Writes Delay, RestoreWorld, MaxJump, CheckBrick, Hint and StopOnError; MaxBrick
    // and BrickStart only while counting is ticked.
    void Store(TumboSettings &settings) const;

    // While a task is open its jump height and brick counting hold: the fields show them
    // and cannot be changed, and `why` says so. An empty `why` frees them again.
    void SetRobotFieldsFixed(const QString &why);

    // " 0.50 s" for 500 ms, with the user's decimal separator.
    static QString DelayText(int milliseconds);

    QSlider *TrackBar1;
    QLabel *lblDelay;
    QCheckBox *chkRestoreWelt;
    TSpinEdit *speMaxJump;
    QCheckBox *chkZiegel;
    TSpinEdit *speStartZiegel;
    TSpinEdit *speMaxZiegel;
    QLabel *lblFixed;
    QButtonGroup *rgIError;
    QPushButton *Button2;  // OK
    QPushButton *Button1;  // Abbrechen

protected:
    void showEvent(QShowEvent *event) override;

private:
    void UpdateDelayField();
    void UpdateBrickFields();
    bool fixed_ = false;
};

}  // namespace tumbo::app
