#pragma once
// While a task is open the robot jumps and counts bricks as the task says, for F9, single
// steps and the robot keys alike, so that a program behaves in the window as when it is
// checked. The user's own values are kept aside, written to tumbo.ini in their place and
// given back when the task closes.
#include <optional>

#include "app/settings/settings.h"
#include "task/task_file.h"

class TTumbo;

namespace tumbo::app {

class TTaskRobotSettings {
public:
    // Gives the robot the task's values; the user's are kept from the first task opened.
    void Apply(TTumbo &robot, const tumbo::task::TTask &task);
    // Gives the robot the user's values back.
    void Restore(TTumbo &robot);
    bool Active() const { return user_.has_value(); }
    // Puts the user's values into `s` while a task's are in force.
    void KeepUserValues(TumboSettings &s) const;

private:
    struct Values {
        int MaxJump;
        bool CheckBrick;
        int MaxBrick;
        int BrickStart;
    };
    std::optional<Values> user_;
};

}  // namespace tumbo::app
