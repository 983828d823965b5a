#include "app/window/info_list_announcer.h"

#include <QAbstractItemModel>
#include <QListWidget>

#include "app/window/accessible_event.h"

namespace tumbo::app {

TInfoListAnnouncer::TInfoListAnnouncer(QListWidget &list, QObject *parent) : QObject(parent), list_(list)
{
    connect(list_.model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int, int last) { RowsInserted(last); });
}

void TInfoListAnnouncer::RowsInserted(int last)
{
    const QListWidgetItem *item = list_.item(last);
    if (!item)
        return;
    const QString line = item->text();
    if (line.trimmed().isEmpty() || line.count(QLatin1Char('-')) == line.size())
        return;
    // Also the same line again is news.
    list_.setAccessibleDescription(QStringLiteral("Neue Meldung: ") + line);
    TellAssistiveTechnology(&list_, QAccessible::DescriptionChanged);
    emit Announced(line);
}

}  // namespace tumbo::app
