#pragma once
// The tips window "Tipps und Tricks zu Robot Tumbo": shows one tip of tipps.txt at a
// time; each showing and each "Nächster Tipp" moves on to the next tip.
#include <QDialog>

#include <functional>

#include "app/settings/settings.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tumbo::app {

class TTipsForm : public QDialog {
    Q_OBJECT
public:
    explicit TTipsForm(QWidget *parent = nullptr);

    int TipNumber() const { return tipNumber_; }
    void SetTipNumber(int number) { tipNumber_ = number; }
    bool ShowTips() const;
    void SetShowTips(bool show);

    // The tips file; by default "tipps.txt" beside the executable (or installed).
    QString TipsFile() const { return tipsFile_; }
    void SetTipsFile(const QString &path) { tipsFile_ = path; }

    // Shows the tip numbered TipNumber() (wrapping to tip 1 after the last one).
    // A file that cannot be read leaves the text as it was; errors go to the
    // general error message. Returns whether a tip is shown.
    bool LoadTip();

    // Where error messages go instead of a message box (tests).
    void SetErrorReporter(std::function<void(const QString &)> report) { report_ = std::move(report); }

    // The "Tipps" command: fills the window from the settings, shows it modally
    // and writes ShowTips and LastTip back.
    void Execute(TumboSettings &settings);

    QLabel *TipText;
    QCheckBox *chkShowTips;
    QPushButton *btnNext;
    QPushButton *btnOK;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void NextTip();

    int tipNumber_ = 1;
    QString tipsFile_;
    std::function<void(const QString &)> report_;
};

}  // namespace tumbo::app
