#include "app/window/pane_caption.h"

#include <QFont>
#include <QLabel>

namespace tumbo::app {

QLabel *CreatePaneCaption(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *caption = new QLabel(text, parent);
    caption->setObjectName(objectName);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption->setStyleSheet(QStringLiteral("QLabel#%1 { color: #800000; padding: 2px 6px; }").arg(objectName));
    return caption;
}

}  // namespace tumbo::app
