#pragma once
// A run of the interpreter recurses once per nested call, loop or branch, up to the depth
// limit the user chose. The main thread's stack is too small for large limits, so the run
// gets a thread whose stack is sized from the limit.
#include <cstddef>
#include <functional>

// Stack bytes enough for an interpreter run that may nest `maxDepth` levels deep.
size_t StackBytesForDepth(int maxDepth);

// Runs `work` on a thread with a stack of `bytes` and waits for it; false (without running
// it) when the system cannot give such a thread.
bool RunWithStack(size_t bytes, const std::function<void()>& work);
