#pragma once
// "Aufgabe prüfen" off the window's thread: the program runs on every start world of the task,
// one run per world, on at most as many threads as the machine has cores. The window stays
// responsive; Cancel stops every run at its next statement and returns once they have ended.
#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "task/grader.h"

namespace tumbo::app {

class TTaskCheckJob : public QObject {
    Q_OBJECT
public:
    explicit TTaskCheckJob(QObject *parent = nullptr);
    ~TTaskCheckJob() override;  // cancels a check still running

    // Starts checking `text` (Windows-1252, libraries looked for in `folder`) against a copy
    // of `task`; a check still running is cancelled first.
    void Start(const tumbo::task::TLoadedTask &task, const std::string &text, const std::string &folder);
    void Cancel();
    bool Running() const { return !threads_.empty(); }

signals:
    // The world now run (from 1) of `count`; sent at the start and whenever a world is done.
    void Progress(int world, int count);
    // Every world is done: the grades in the task's order.
    void Finished(const std::vector<tumbo::task::TWorldGrade> &grades);
    void Cancelled();

private:
    // What the threads share; it outlives a cancelled check's threads.
    struct TWork {
        tumbo::task::TLoadedTask Task;
        std::string Text;
        std::string Folder;
        std::atomic<size_t> Next{0};
        std::atomic<bool> Cancel{false};
    };
    void RunWorlds(const std::shared_ptr<TWork> &work, unsigned generation);
    void WorldDone(unsigned generation, size_t index, tumbo::task::TWorldGrade grade);
    void JoinThreads();
    int WorldInProgress() const;

    std::shared_ptr<TWork> work_;
    std::vector<std::thread> threads_;
    std::vector<std::optional<tumbo::task::TWorldGrade>> grades_;
    size_t done_ = 0;
    unsigned generation_ = 0;  // results of a cancelled check that arrive late are dropped
};

}  // namespace tumbo::app
