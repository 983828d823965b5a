#pragma once
// Running a program without a window, as tumbo-cli run does: compiled once, then run in normal
// mode with delay 0 on the world it is bound to, as often as wanted. Every line the window
// would write into its information list is handed on as it happens.
#include <cstdint>
#include <functional>
#include <string>

#include "language/headless_host.h"
#include "language/messages.h"
#include "language/parser.h"

struct THeadlessRunOptions {
  int32_t MaxJump = 1;
  bool Bricks = false;  // carrying control
  int32_t BrickStart = 999;
  int32_t MaxBrick = 0;
  bool Hint = true;
  bool StopOnError = false;
  bool Trace = false;  // a "@L" line for every step
  int64_t MaxSteps = 1000000;
  int MaxDepth = kMaxDepth;
};

// For tests of the command-line tool and of the task checks: the environment variable names
// the statement count every headless run starts with (see TTumbo_Parser::FirstStatementCount),
// so that a limit of billions of statements is reached at once.
inline constexpr const char* kFirstStatementCountVariable = "TUMBO_TEST_FIRST_STATEMENT_COUNT";

enum class TRunLineKind {
  CompilerError,  // "[Fehlernr N] …" while compiling
  RunError,       // "[Fehlernr N] …" while running
  Note,           // "[Hinweis] …"
  Abort,          // "[Abbruch] …"
  StepLimit,      // "Abgebrochen: mehr als N Schritte"
  Step,           // "@L" (only with Trace)
};

struct TRunLine {
  TRunLineKind Kind;
  std::string Text;  // Windows-1252
};

class THeadlessRun {
 public:
  using TLineHandler = std::function<void(const TRunLine&)>;

  THeadlessRun(TWelt& world, const THeadlessRunOptions& options, TLineHandler onLine);
  THeadlessRun(const THeadlessRun&) = delete;
  THeadlessRun& operator=(const THeadlessRun&) = delete;

  // `text` is Windows-1252; libraries are looked for in `folder` (see TTumbo_Parser::Compile).
  bool Compile(const std::string& text, const std::string& folder);
  // Gives the world's robot the options' settings and runs the compiled program once.
  void Run();
  bool StepLimitReached() const { return parser_.StatementLimitReached; }
  // The line of the statement run last; when the step limit is passed, the line it stopped in.
  int32_t CurrentLine() const { return parser_.CurrentLine; }
  // Called between any two statements of a run, where it may Stop() it (a run stopped from
  // another thread looks at a flag there). A run with it leaves the quiet path.
  void SetOnEvents(std::function<void()> onEvents) { host_.OnEvents = std::move(onEvents); }
  void Stop() { parser_.Stop(); }
  // Records the steps of every run from now on; nullptr for none. Not owned.
  void SetRecorder(TRunRecorder* recorder) { parser_.Recorder = recorder; }

 private:
  void Emit(TRunLineKind kind, std::string text) {
    if (onLine_) onLine_(TRunLine{kind, std::move(text)});
  }

  THeadlessRunOptions options_;
  TLineHandler onLine_;
  bool running_ = false;
  TTumbo_HeadlessHost host_;  // Warten and Ton cost nothing here
  TTumbo_Parser parser_;
};
