#pragma once
// The panel "Kurs" beside the overview: the course's sections and tasks in order, each marked
// not begun, begun or solved, the task that is open in bold, and the pupil's folder with a
// button to change it. A double-click (or Enter) on a task asks for it to be opened.
#include <QWidget>

#include "task/course_file.h"
#include "task/progress.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tumbo::app {

class TCoursePanel : public QWidget {
    Q_OBJECT
public:
    explicit TCoursePanel(QWidget *parent = nullptr);

    void ShowCourse(const tumbo::task::TLoadedCourse &course, const tumbo::task::TProgress &progress);
    void ShowStates(const tumbo::task::TProgress &progress);
    void ShowCurrent(int task);  // -1: none
    void ShowFolder(const QString &folder);

    // The item of task `index` (in course order), or nullptr.
    QTreeWidgetItem *TaskItem(int index) const;
    static QString StateText(tumbo::task::TTaskState state);

    QLabel *lblTitel;
    QTreeWidget *lstAufgaben;
    QLabel *lblOrdner;
    QPushButton *btnOrdner;

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    void TaskActivated(int index);
    void FolderChangeRequested();

private:
    void ElideFolder();

    QString folder_;
    std::vector<QTreeWidgetItem *> taskItems_;
    std::vector<std::string> names_;
};

}  // namespace tumbo::app
