#include "world/qt/spin_edit.h"

#include <QRegularExpression>

#include <algorithm>

namespace tumbo {

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
    setAccelerated(true);
}

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget *parent) : TSpinEdit(parent)
{
    setRange(minimum, maximum);
}

int TSpinEdit::CommittedValue()
{
    interpretText();
    return value();
}

QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    // Anything may be typed; the correction happens in fixup() when the field is left.
    bool ok = false;
    const int v = input.trimmed().toInt(&ok);
    if (ok && v >= minimum() && v <= maximum())
        return QValidator::Acceptable;
    return QValidator::Intermediate;
}

void TSpinEdit::fixup(QString &input) const
{
    const QString text = input.trimmed();
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    int v = minimum();
    if (wholeNumber.match(text).hasMatch()) {
        bool ok = false;
        const qlonglong n = text.toLongLong(&ok);
        if (ok)
            v = int(std::clamp<qlonglong>(n, minimum(), maximum()));
        else  // too many digits for any integer: the bound on its side
            v = text.startsWith(u'-') ? minimum() : maximum();
    }
    input = QString::number(v);
}

}  // namespace tumbo
