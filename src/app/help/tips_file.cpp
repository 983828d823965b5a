#include "app/help/tips_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <string>

#include "text/text_file.h"

namespace tumbo::app {

namespace {

QStringList ReadLines(const QByteArray &bytes)
{
    const auto decoded = tumbo::text::DecodeText(std::string_view(bytes.constData(), size_t(bytes.size())));
    QString text = QString::fromStdString(decoded.Utf8);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // the break after the last line starts no new line
    return lines;
}

// The number of a header line, or nothing when it is not a whole number.
std::optional<int> HeaderNumber(const QString &line)
{
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    bool ok = false;
    const int n = line.mid(1, close - 1).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

}  // namespace

TTipLoad LoadTipFromFile(const QString &path, int tipNumber)
{
    TTipLoad result;
    result.tipNumber = tipNumber;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = TTipLoad::FileError;
        result.message = QStringLiteral("Ein-/Ausgabefehler: Die Datei \"%1\" kann nicht gelesen werden.")
                             .arg(path);
        return result;
    }
    const QStringList lines = ReadLines(file.readAll());

    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            result.tipNumber = 1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            if (!line.startsWith(u'['))
                continue;
            const std::optional<int> n = HeaderNumber(line);
            if (!n) {
                result.status = TTipLoad::BadHeader;
                const qsizetype close = line.indexOf(u']');
                const QString value = close < 0 ? QString() : line.mid(1, close - 1);
                result.message = QStringLiteral("Fehler in der Datei \"%1\": '%2' ist keine gültige ganze Zahl.")
                                     .arg(path, value);
                return result;
            }
            if (*n != result.tipNumber)
                continue;
            QStringList tip{line};
            for (qsizetype j = i + 1; j < lines.size() && lines[j] != QStringLiteral("#"); ++j)
                tip << lines[j];
            result.status = TTipLoad::Found;
            result.text = tip.join(u'\n');
            return result;
        }
    }
    result.status = TTipLoad::NotFound;
    return result;
}

QString ReflowTip(const QString &text)
{
    static const QRegularExpression listItem(QStringLiteral("^\\s*([-*\u2022]|\\d+[.)])\\s"));
    const QStringList lines = text.split(u'\n');
    QString out;
    bool joinNext = false;  // the line before belongs to a paragraph that goes on
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (i == 0) {
            out = line;
            continue;
        }
        if (line.isEmpty()) {
            out += u'\n';
            joinNext = false;
            continue;
        }
        if (joinNext && !listItem.match(line).hasMatch())
            out += u' ';
        else
            out += u'\n';
        out += line;
        joinNext = true;
    }
    return out;
}

}  // namespace tumbo::app
