#include "app/task/task_check_job.h"

#include <algorithm>

namespace tumbo::app {

TTaskCheckJob::TTaskCheckJob(QObject *parent) : QObject(parent) {}

TTaskCheckJob::~TTaskCheckJob()
{
    if (work_)
        work_->Cancel = true;
    JoinThreads();
}

void TTaskCheckJob::Start(const tumbo::task::TLoadedTask &task, const std::string &text, const std::string &folder)
{
    Cancel();
    ++generation_;
    work_ = std::make_shared<TWork>();
    work_->Task = task;
    work_->Text = text;
    work_->Folder = folder;
    const size_t count = task.Worlds.size();
    grades_.assign(count, std::nullopt);
    done_ = 0;
    emit Progress(1, int(count));
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::max<size_t>(count, 1));
    for (size_t t = 0; t < threads && count > 0; ++t)
        threads_.emplace_back([this, work = work_, generation = generation_] { RunWorlds(work, generation); });
}

void TTaskCheckJob::RunWorlds(const std::shared_ptr<TWork> &work, unsigned generation)
{
    for (size_t i; (i = work->Next++) < work->Task.Worlds.size() && !work->Cancel;) {
        tumbo::task::TWorldGrade grade = tumbo::task::GradeWorld(work->Task, i, work->Text, work->Folder, &work->Cancel);
        if (grade.Cancelled)
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, i, g = std::move(grade)]() mutable { WorldDone(generation, i, std::move(g)); },
            Qt::QueuedConnection);
    }
}

void TTaskCheckJob::Cancel()
{
    if (!Running())
        return;
    work_->Cancel = true;
    JoinThreads();
    ++generation_;
    work_.reset();
    emit Cancelled();
}

void TTaskCheckJob::JoinThreads()
{
    for (std::thread &t : threads_)
        t.join();
    threads_.clear();
}

int TTaskCheckJob::WorldInProgress() const
{
    const auto open = std::find(grades_.begin(), grades_.end(), std::nullopt);
    return int(open - grades_.begin()) + 1;
}

void TTaskCheckJob::WorldDone(unsigned generation, size_t index, tumbo::task::TWorldGrade grade)
{
    if (generation != generation_ || !work_)
        return;
    grades_[index] = std::move(grade);
    if (++done_ < grades_.size()) {
        emit Progress(WorldInProgress(), int(grades_.size()));
        return;
    }
    JoinThreads();  // every thread has handed over its last world and is ending
    work_.reset();
    std::vector<tumbo::task::TWorldGrade> grades;
    for (std::optional<tumbo::task::TWorldGrade> &g : grades_)
        grades.push_back(std::move(*g));
    grades_.clear();
    emit Finished(grades);
}

}  // namespace tumbo::app
