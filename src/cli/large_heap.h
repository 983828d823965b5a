// The command line's heap for large programs.
#pragma once

// A large program's tree is some hundred thousand small nodes, and every fresh 4 KB page of
// the heap costs a page fault. The heap grows in large steps, on huge pages where the system
// offers them on request; nothing changes where it does not. Call once, first thing in main.
void PrepareLargeHeap();
