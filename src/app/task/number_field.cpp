#include "app/task/number_field.h"

namespace tumbo::app {

QString TNumberField::Digits(const QString &text)
{
    QString digits;
    for (const QChar c : text)
        if (c != QLatin1Char('.') && !c.isSpace())
            digits += c;
    return digits;
}

QValidator::State TNumberField::validate(QString &input, int &) const
{
    const QString digits = Digits(input);
    if (digits.isEmpty())
        return QValidator::Intermediate;
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    if (!ok)
        return QValidator::Invalid;
    if (n > maximum())
        return QValidator::Invalid;
    return n < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

int TNumberField::valueFromText(const QString &text) const
{
    return Digits(text).toInt();
}

QString TNumberField::textFromValue(int value) const
{
    QString digits = QString::number(value), out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char('.');
        out += digits[i];
    }
    return out;
}

}  // namespace tumbo::app
