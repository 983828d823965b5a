#pragma once
// What the interpreter needs from the platform it runs on. The window implements it with Qt;
// the command-line tool, the tests and the benchmarks with plain C++ (headless_host.h).
// Every call is made on the one user-interface thread, from inside TTumbo_Parser::Run.
#include <cstdint>

class TTumbo_Host {
 public:
  virtual ~TTumbo_Host() = default;

  // Called once after every statement. The host handles pending user-interface events; it may
  // do so less often than it is called (for example at most every few milliseconds), as long as
  // buttons still answer at once.
  virtual void ProcessEvents() = 0;

  // Handles events until one has been handled or `timeoutMs` milliseconds have passed, then
  // returns. Used by the waits of `Warten`, of the step delay and of single-step mode, so that
  // the window can block on its event queue instead of spinning. Must not wait longer than
  // `timeoutMs`; returning earlier is always allowed.
  virtual void WaitForEvents(uint32_t timeoutMs) = 0;

  // A millisecond tick counter; wraps around at 2^32.
  virtual uint32_t TickCount() = 0;

  // Starts playing "ton.wav" from the executable's folder without waiting for it; a missing
  // file or a missing sound device stays silent.
  virtual void PlaySound() = 0;

  // Redraws what changed in the world since the last redraw, in whichever view is shown.
  // The host may defer the redraw to screen rate as long as the picture shows the current state
  // when the run waits or ends.
  virtual void UpdateView() = 0;

  // While a run is quiet (no step is shown or waited for, no pause, no breakpoint), the engine
  // leaves out UpdateView and ProcessEvents after each statement and calls QuietFrame instead,
  // once every QuietStatements() statements: a host that looks at its clock there keeps the
  // picture and the buttons as they are while the statements run at the engine's speed.
  // 0 (the default): the run is never quiet and every statement makes both calls.
  virtual uint32_t QuietStatements() { return 0; }
  // What the statements since the last frame left out: `redraw` when one of them asked for a
  // redraw (outside SCHNELL), and one round of event handling.
  virtual void QuietFrame(bool redraw) {
    if (redraw) UpdateView();
    ProcessEvents();
  }
};
