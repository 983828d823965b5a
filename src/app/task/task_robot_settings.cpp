#include "app/task/task_robot_settings.h"

#include "world/tumbo.h"

namespace tumbo::app {

void TTaskRobotSettings::Apply(TTumbo &robot, const tumbo::task::TTask &task)
{
    if (!user_)
        user_ = Values{robot.MaxJump, robot.CheckBrick, robot.MaxBrick, robot.BrickStart};
    robot.MaxJump = task.MaxJump;
    robot.CheckBrick = task.Bricks;
    if (task.Bricks) {
        robot.MaxBrick = task.MaxBrick;
        robot.BrickStart = task.BrickStart;
    }
}

void TTaskRobotSettings::Restore(TTumbo &robot)
{
    if (!user_)
        return;
    robot.MaxJump = user_->MaxJump;
    robot.CheckBrick = user_->CheckBrick;
    robot.MaxBrick = user_->MaxBrick;
    robot.BrickStart = user_->BrickStart;
    user_.reset();
}

void TTaskRobotSettings::KeepUserValues(TumboSettings &s) const
{
    if (!user_)
        return;
    s.MaxJump = user_->MaxJump;
    s.CheckBrick = user_->CheckBrick;
    s.MaxBrick = user_->MaxBrick;
    s.BrickStart = user_->BrickStart;
}

}  // namespace tumbo::app
