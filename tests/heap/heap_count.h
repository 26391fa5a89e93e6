#pragma once

// The heap blocks and bytes alive in a test program, counted by its own operator new and delete, so
// that a long drag or a long random run can show that nothing piles up. A test program that links this
// file gets the replacement operators with it.
namespace heap {

struct HeapUse {
    long blocks = 0;
    long bytes = 0;
};

HeapUse liveHeap();

}  // namespace heap
