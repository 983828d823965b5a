#pragma once
// The tree-walking interpreter as it was before the flat execution form, kept as the
// reference that the differential test and its fuzz target compare the engine with. It runs the
// program tree of a TTumbo_Parser and reads and writes that engine's public state (RunMode,
// Stopped, CurrentLine, StatementCount, the callbacks ...), so a host that drives the engine
// during a run (Stop, RunMode, RequestStep, BreakLine) drives this interpreter alike.
#include <cstdint>

#include "language/host.h"
#include "language/parser.h"

class TReferenceInterpreter {
 public:
  TReferenceInterpreter(TTumbo_Parser& engine, TTumbo_Host& host) : E(engine), Host(host) {}

  void Run(uint8_t mode);

 private:
  void Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x);
  bool EvaluateCondition(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t p);
  bool StepPoint(TTumbo_Program* node);
  void Pause();
  void RunNode(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x, int32_t p);
  bool ShowStep();
  void CallInstruction(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth);
  bool EvaluateOwnCondition(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth);
  void CheckRobotFailure();
  void ReportAndClearRobotFailure();
  void RepeatAction(int kind, int32_t count);
  void AfterStatement();
  // After a loop's pass, before its step point: a pass that counted no statement counts as
  // one, unless the run was stopped. False when that passes the statement limit.
  bool CountedPass(int64_t passStart);
  void AbortTooDeep();
  void StopAtStatementLimit();
  void Wait(int32_t ms);
  TTumbo& Robot() { return E.World.Robot; }

  TTumbo_Parser& E;
  TTumbo_Host& Host;
};
