#pragma once
// The commands of tumbo-cli. Each takes the arguments after its name and returns the exit
// code. A new command is one file defining its function and one line in main.cpp's table.
#include <string>
#include <vector>

using TCliArgs = std::vector<std::string>;

int cmdCheck(const TCliArgs& args);
int cmdRun(const TCliArgs& args);
int cmdFormat(const TCliArgs& args);
int cmdChart(const TCliArgs& args);
int cmdRender(const TCliArgs& args);
int cmdGrade(const TCliArgs& args);

// Exit codes shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProgramErrors = 1;
inline constexpr int kExitUsage = 2;  // usage error or unreadable file
inline constexpr int kExitStepLimit = 4;
inline constexpr int kExitNotSolved = 5;  // grade: a program left a world unsolved
