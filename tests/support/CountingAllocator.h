#pragma once
// Linked into a test program, this replaces its global operator new and delete so that a test
// can count allocations, watch how many blocks stay alive, and make one allocation fail.
// ThreadSanitizer owns operator new in its builds, which therefore count nothing.
#include <cstddef>

namespace CountingAllocator {

// False in builds whose runtime owns operator new: tests then skip.
bool IsActive();
long Allocations();  // every operator new since the program started
long LiveBlocks();   // allocated and not yet deleted
// The n-th allocation from now on (1 = the next one) throws std::bad_alloc; 0 disarms. Failing
// once is enough to disarm.
void FailAllocation(long n);
bool FailureHappened();

} // namespace CountingAllocator
