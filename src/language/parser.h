#pragma once
// The language engine: compiles a program text into a program tree (Compile) and runs the tree
// against the world (Run). The platform is reached only through TTumbo_Host.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "language/host.h"
#include "language/messages.h"
#include "language/program_tree.h"
#include "world/run_recorder.h"
#include "world/welt.h"

class TTumbo_HeadlessHost;

class TTumbo_Parser {
 public:
  // OnError(number, line, message): compiler messages, and messages 10 to 12 while running.
  using TErrorHandler = std::function<void(int number, int line, const std::string& message)>;
  // OnMessage(kind, line, message): kind 0 a note ("[Hinweis]"), 1 an abort ("[Abbruch]").
  using TMessageHandler = std::function<void(int kind, int line, const std::string& message)>;
  using TStepHandler = std::function<void()>;

  TTumbo_Parser(TWelt& world, TTumbo_Host& host, TErrorHandler onError = {},
                TMessageHandler onMessage = {}, TStepHandler onStep = {});
  ~TTumbo_Parser();
  TTumbo_Parser(const TTumbo_Parser&) = delete;
  TTumbo_Parser& operator=(const TTumbo_Parser&) = delete;

  // --- compiling ---
  // Scans `text` (Windows-1252), expands the libraries found in `folder` (a native UTF-8 path
  // ending in a path separator, or empty for a program not saved yet), parses, and replaces Program, also on failure. True without messages.
  bool Compile(const std::string& text, const std::string& folder, bool reportErrors = true);
  // Sets ErrorFound; calls OnError with the message text when ReportErrors is set.
  void ReportError(int number, int line);

  // --- running ---
  // mode 1 normal, 2 fast, 3 single step. Returns when the program ended or was stopped.
  void Run(uint8_t mode);
  void RequestStep();
  void Stop();

  // The interpreter's operations, public so that tests can drive hand-built trees.
  void Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x);
  bool EvaluateCondition(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t p);
  // The boundary of one step. False when Stop() arrived while the step waited in single-step
  // mode: the statement of that step is then not run.
  bool StepPoint(TTumbo_Program* node) {
    CurrentLine = node->Line;
    if (Recorder) Recorder->Record(CurrentLine);
    // Nothing to show or wait for: fast mode, or no step callback outside single-step mode.
    if (OnStep ? RunMode == 2 : RunMode != 3) return true;
    return ShowStep();
  }
  // Pauses for Delay in normal mode outside Schnell.
  void Pause() {
    if (static_cast<uint32_t>(Delay) > 1 && RunMode == 1 && !Fast) Wait(Delay);
  }
  void Wait(int32_t ms);
  void ReportRobotFailure(int line);

  // --- fields ---
  TWelt& World;
  TErrorHandler OnError;
  TMessageHandler OnMessage;
  TStepHandler OnStep;
  std::string Source;  // the working text of the last Compile
  bool ErrorFound = false;
  bool Stopped = false;
  bool Fast = false;
  int32_t ParseLine = 0;
  bool StepRequested = false;
  int32_t Delay = 0;
  uint8_t RunMode = 0;  // 0 idle, 1 normal, 2 fast, 3 single step
  int32_t CurrentLine = -1;
  int32_t BreakLine = -1;
  std::unique_ptr<TTumbo_Program_Top> Program;
  bool ReportErrors = true;
  bool Hint = true;
  bool StopOnError = false;

  // Limits of a run. MaxDepth bounds the depth counter (an Execute entered deeper reports an
  // abort and stops the run). StatementLimit, when above 0, bounds the number of statements a
  // run executes; on passing it OnStatementLimit is called, the run stops and the statement is
  // skipped.
  int MaxDepth = kMaxDepth;
  int64_t StatementLimit = 0;
  int64_t StatementCount = 0;
  bool StatementLimitReached = false;
  std::function<void()> OnStatementLimit;

  // Records every step of each run when set (started with the run, finished at its end).
  // Not owned.
  TRunRecorder* Recorder = nullptr;

 private:
  TTumbo& Robot() { return World.Robot; }
  void RunNode(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x, int32_t p);
  bool ShowStep();
  // A call of an own instruction, and an own condition (which gives its definition's Result):
  // each runs the definition's body with the definition as scope and the node's Param as X.
  [[gnu::noinline]] void CallInstruction(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth);
  [[gnu::noinline]] bool EvaluateOwnCondition(TTumbo_Program* node, TTumbo_Program_Top* scope,
                                              int depth);
  // After every statement and condition: reports a robot failure and clears it.
  void CheckRobotFailure() {
    if (World.Robot.Failed) ReportAndClearRobotFailure();
  }
  void ReportAndClearRobotFailure();
  void RepeatAction(int kind, int32_t count);
  // After every statement: the redraw (outside Schnell, and always in single-step mode) and one
  // round of event handling.
  inline void AfterStatement();
  [[gnu::noinline]] void AbortTooDeep();
  [[gnu::noinline]] void StopAtStatementLimit();

  TTumbo_Host& Host;
  // The host when it is exactly the headless one (command-line tool, tests, benchmarks), whose
  // calls after every statement are then made without the virtual dispatch; else empty.
  TTumbo_HeadlessHost* const Headless;
};
