#pragma once
// The information window "Programminfo": title, version, credits and the licence
// text, which starts to scroll by itself after a few seconds.
#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tumbo::app {

class TAbout_Box : public QDialog {
    Q_OBJECT
public:
    static constexpr int FirstDelay = 3000;      // ms before the text starts to scroll
    static constexpr int ScrollInterval = 250;   // ms per line

    explicit TAbout_Box(QWidget *parent = nullptr);

    // The licence text; by default "license.txt" beside the executable (or installed).
    QString LicenseFile() const { return licenseFile_; }
    void SetLicenseFile(const QString &path) { licenseFile_ = path; }

    // Where error messages go instead of a message box (tests).
    void SetErrorReporter(std::function<void(const QString &)> report) { report_ = std::move(report); }

    // One tick of the scrolling timer: the first tick after the first opening only
    // ends the waiting time, every later one scrolls the text down by one line.
    void Timer1Timer();

    QPlainTextEdit *Memo1;
    QPushButton *OKButton;
    QTimer *Timer1;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadLicense();

    QString licenseFile_;
    std::function<void(const QString &)> report_;
};

}  // namespace tumbo::app
