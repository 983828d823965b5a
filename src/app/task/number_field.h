#pragma once
// A spin box for large counts that reads them as teachers write them: "100.000", "100 000" and
// "100000" are the same number, and it shows them with points between the thousands.
#include <QSpinBox>

namespace tumbo::app {

class TNumberField : public QSpinBox {
    Q_OBJECT
public:
    explicit TNumberField(QWidget *parent = nullptr) : QSpinBox(parent) {}

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;

private:
    static QString Digits(const QString &text);
};

}  // namespace tumbo::app
