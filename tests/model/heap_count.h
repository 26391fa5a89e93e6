#pragma once

// The heap blocks and bytes alive in this test program, counted by its own operator new and delete,
// so that a long random run can show that nothing piles up.
namespace model {

struct HeapUse {
    long blocks = 0;
    long bytes = 0;
};

HeapUse liveHeap();

}  // namespace model
