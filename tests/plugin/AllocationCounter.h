#pragma once

#include <juce_core/juce_core.h>

// Counts the heap allocations the test's own thread makes while one is alive (one at a time). The test
// program is linked with the allocation functions wrapped (cmake/Tests.cmake), so that every malloc, calloc,
// realloc and operator new compiled into it, the toolkit's included, passes through here; allocations in
// other threads are not counted.
class AllocationCounter final
{
public:
    AllocationCounter();
    ~AllocationCounter();

    int getCount() const;

    // One allocation made, counted by the counter of this thread if there is one; called by the wrapped
    // allocation functions (operator new's, whose mangled names differ between systems, in posix/ and
    // windows/).
    static void countOne();

    JUCE_DECLARE_NON_COPYABLE (AllocationCounter)
};
