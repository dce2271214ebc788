#pragma once
// Memory the player frees goes back to the system instead of staying with the allocator: a
// page's board, its objects and the warm-up's boards are freed at every page start, and a heap
// that keeps them makes the player grow page after page (each worker thread has a heap of its
// own, so what one thread freed is not even reused by the others).

// Large blocks (board images, pictures, coverage scratches) are mapped on their own and so
// unmapped as soon as they are freed. Called once, first thing in the program.
void ReturnLargeBlocksWhenFreed();

// The free pages of every thread's heap, and the free end of the calling thread's own heap, go back
// to the system. A few milliseconds: called when a page's work has been freed, not on every tick.
void ReturnFreedMemory();
