#include "language/headless_run.h"

#include <cstdlib>
#include <utility>

THeadlessRun::THeadlessRun(TWelt& world, const THeadlessRunOptions& options, TLineHandler onLine)
    : options_(options), onLine_(std::move(onLine)), parser_(world, host_) {
  parser_.OnError = [this](int number, int line, const std::string& text) {
    Emit(running_ ? TRunLineKind::RunError : TRunLineKind::CompilerError,
         FormatErrorLine(number, line, text));
  };
  parser_.OnMessage = [this](int kind, int line, const std::string& text) {
    Emit(kind == 0 ? TRunLineKind::Note : TRunLineKind::Abort, FormatRunMessageLine(kind, line, text));
  };
  if (options_.Trace)
    parser_.OnStep = [this] { Emit(TRunLineKind::Step, "@" + std::to_string(parser_.CurrentLine)); };
  parser_.Hint = options_.Hint;
  parser_.StopOnError = options_.StopOnError;
  parser_.Delay = 0;
  parser_.MaxDepth = options_.MaxDepth;
  parser_.StatementLimit = options_.MaxSteps;
  if (const char* first = std::getenv(kFirstStatementCountVariable))
    parser_.FirstStatementCount = std::strtoll(first, nullptr, 10);
  parser_.OnStatementLimit = [this] {
    Emit(TRunLineKind::StepLimit,
         "Abgebrochen: mehr als " + std::to_string(options_.MaxSteps) + " Schritte");
  };
}

bool THeadlessRun::Compile(const std::string& text, const std::string& folder) {
  running_ = false;
  return parser_.Compile(text, folder, true);
}

void THeadlessRun::Run() {
  TTumbo& robot = parser_.World.Robot;
  robot.MaxJump = options_.MaxJump;
  robot.CheckBrick = options_.Bricks;
  robot.BrickStart = options_.BrickStart;
  robot.MaxBrick = options_.MaxBrick;
  running_ = true;
  parser_.Run(1);
  running_ = false;
}
