#pragma once
// Tells assistive technology about each new line of the information list: the list's
// accessible description becomes "Neue Meldung: <line>", which screen readers hear as a
// change of the list (Qt 6.4 has no announcement event of its own). The separator line
// under the names of program and world is not announced.
#include <QObject>

class QListWidget;

namespace tumbo::app {

class TInfoListAnnouncer : public QObject {
    Q_OBJECT
public:
    TInfoListAnnouncer(QListWidget &list, QObject *parent);

signals:
    // A new line was announced (and assistive technology was told).
    void Announced(const QString &line);

private:
    void RowsInserted(int last);

    QListWidget &list_;
};

}  // namespace tumbo::app
