#pragma once
// A host without a window, for the command-line tool, tests, fuzzers and benchmarks.
// Its clock is virtual: a wait advances the clock at once instead of sleeping, so Warten and
// the step delay cost no time. OnEvents stands for the events a window would handle.
#include <cstdint>
#include <functional>

#include "language/host.h"

class TTumbo_HeadlessHost : public TTumbo_Host {
 public:
  void ProcessEvents() override {
    ++EventRounds;
    if (OnEvents) OnEvents();
  }
  void WaitForEvents(uint32_t timeoutMs) override {
    Clock += timeoutMs;
    WaitedMs += timeoutMs;
    ++EventRounds;
    if (OnEvents) OnEvents();
  }
  uint32_t TickCount() override { return Clock; }
  void PlaySound() override { ++SoundsPlayed; }
  void UpdateView() override { ++ViewUpdates; }

  std::function<void()> OnEvents;  // called for every round of event handling
  uint32_t Clock = 0;
  uint64_t WaitedMs = 0;
  uint64_t EventRounds = 0;
  uint64_t SoundsPlayed = 0;
  uint64_t ViewUpdates = 0;
};
