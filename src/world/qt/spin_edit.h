// A number field with up/down arrows that always holds a value inside its range:
// a value set from outside the range shows as the nearest bound, a typed value
// outside the range is brought to the nearest bound when the field loses the
// focus (or when the value is read), and text that is not a number reads as the
// lower bound. Used by the new-world dialog and the settings dialogs.
#pragma once

#include <QSpinBox>

namespace tumbo {

class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget *parent = nullptr);
    TSpinEdit(int minimum, int maximum, QWidget *parent = nullptr);

    // The value after the typed text has been read and corrected; use this
    // instead of value() when a dialog closes while the field may hold text.
    int CommittedValue();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};

}  // namespace tumbo
