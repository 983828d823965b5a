#include "app/task/course_panel.h"

#include <QDir>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "text/cp1252.h"

namespace tumbo::app {
namespace {

using tumbo::task::TTaskState;

QString FromCore(const std::string &cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

constexpr int kTaskRole = Qt::UserRole + 1;

}  // namespace

TCoursePanel::TCoursePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelKurs"));
    setMinimumSize(1, 1);
    lblTitel = new QLabel(this);
    lblTitel->setObjectName(QStringLiteral("lblKursTitel"));
    QFont bold = lblTitel->font();
    bold.setBold(true);
    lblTitel->setFont(bold);
    lstAufgaben = new QTreeWidget(this);
    lstAufgaben->setObjectName(QStringLiteral("lstKurs"));
    lstAufgaben->setAccessibleName(QStringLiteral("Aufgaben des Kurses"));
    lstAufgaben->setAccessibleDescription(
        QStringLiteral("Abschnitte und Aufgaben in ihrer Reihenfolge, jede mit ihrem Stand; Enter öffnet die Aufgabe."));
    lstAufgaben->setColumnCount(2);
    lstAufgaben->setHeaderHidden(true);
    lstAufgaben->setRootIsDecorated(false);
    lstAufgaben->setMinimumSize(1, 1);
    lstAufgaben->header()->setStretchLastSection(false);
    lstAufgaben->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstAufgaben->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lblOrdner = new QLabel(this);
    lblOrdner->setObjectName(QStringLiteral("lblOrdner"));
    lblOrdner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblOrdner->setMinimumWidth(1);
    btnOrdner = new QPushButton(QStringLiteral("Ordner ändern…"), this);
    btnOrdner->setObjectName(QStringLiteral("btnOrdner"));
    btnOrdner->setToolTip(QStringLiteral("Wählt den Ordner, in dem deine Programme und dein Fortschritt liegen"));

    auto *folderRow = new QHBoxLayout;
    folderRow->setContentsMargins(4, 0, 4, 2);
    folderRow->addWidget(lblOrdner, 1);
    folderRow->addWidget(btnOrdner);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);
    lblTitel->setContentsMargins(4, 0, 4, 0);
    column->addWidget(lblTitel);
    column->addWidget(lstAufgaben, 1);
    column->addLayout(folderRow);

    connect(lstAufgaben, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QVariant task = item->data(0, kTaskRole);
        if (task.isValid())
            emit TaskActivated(task.toInt());
    });
    connect(btnOrdner, &QPushButton::clicked, this, &TCoursePanel::FolderChangeRequested);
}

QString TCoursePanel::StateText(TTaskState state)
{
    switch (state) {
    case TTaskState::Solved: return QStringLiteral("gelöst ✓");
    case TTaskState::Begun: return QStringLiteral("begonnen");
    case TTaskState::NotBegun: break;
    }
    return QStringLiteral("–");
}

void TCoursePanel::ShowCourse(const tumbo::task::TLoadedCourse &course, const tumbo::task::TProgress &progress)
{
    lstAufgaben->clear();
    taskItems_.clear();
    names_.clear();
    lblTitel->setText(QStringLiteral("Kurs: ") + FromCore(course.Course.Title));
    lblTitel->setToolTip(FromCore(course.Course.Text));
    QTreeWidgetItem *section = nullptr;
    int sectionIndex = -1;
    for (size_t i = 0; i < course.Tasks.size(); ++i) {
        const tumbo::task::TCourseTask &t = course.Tasks[i];
        if (t.Section != sectionIndex) {
            sectionIndex = t.Section;
            section = new QTreeWidgetItem(lstAufgaben);
            section->setText(0, QStringLiteral("%1. ").arg(sectionIndex + 1) +
                                    FromCore(course.Course.Sections[size_t(sectionIndex)].Title));
            QFont f = section->font(0);
            f.setBold(true);
            section->setFont(0, f);
            section->setFlags(Qt::ItemIsEnabled);
        }
        auto *item = new QTreeWidgetItem(lstAufgaben);
        item->setText(0, QStringLiteral("    ") + FromCore(t.Title));
        item->setData(0, kTaskRole, int(i));
        if (!t.Problem.empty())
            item->setToolTip(0, FromCore(t.Problem));
        taskItems_.push_back(item);
        names_.push_back(t.Name);
    }
    ShowStates(progress);
}

void TCoursePanel::ShowStates(const tumbo::task::TProgress &progress)
{
    for (size_t i = 0; i < taskItems_.size(); ++i)
        taskItems_[i]->setText(1, StateText(progress.Get(names_[i]).State));
}

void TCoursePanel::ShowCurrent(int task)
{
    for (size_t i = 0; i < taskItems_.size(); ++i) {
        QFont f = taskItems_[i]->font(0);
        f.setBold(int(i) == task);
        taskItems_[i]->setFont(0, f);
    }
    if (QTreeWidgetItem *item = TaskItem(task)) {
        lstAufgaben->setCurrentItem(item);
        lstAufgaben->scrollToItem(item);
    }
}

void TCoursePanel::ShowFolder(const QString &folder)
{
    folder_ = QDir::toNativeSeparators(folder);
    lblOrdner->setToolTip(folder_);
    ElideFolder();
}

// A long folder loses its middle, so its start and its own name stay readable.
void TCoursePanel::ElideFolder()
{
    const QString caption = QStringLiteral("Ordner: ");
    const int room = lblOrdner->width() - lblOrdner->fontMetrics().horizontalAdvance(caption);
    lblOrdner->setText(caption + lblOrdner->fontMetrics().elidedText(folder_, Qt::ElideMiddle, std::max(room, 40)));
}

void TCoursePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ElideFolder();
}

QTreeWidgetItem *TCoursePanel::TaskItem(int index) const
{
    return index >= 0 && index < int(taskItems_.size()) ? taskItems_[size_t(index)] : nullptr;
}

}  // namespace tumbo::app
