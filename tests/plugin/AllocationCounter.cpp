#include "AllocationCounter.h"

#include <atomic>

namespace
{
// The thread being counted, by the system's id, which the allocation functions can read without allocating
// themselves: thread_local storage would not do, as MinGW's allocates on a thread's first use, and so
// would call back here without end.
std::atomic<juce::Thread::ThreadID> countedThread{ nullptr };
std::atomic<int> allocations{ 0 };
} // namespace

void AllocationCounter::countOne()
{
    if (countedThread.load() == juce::Thread::getCurrentThreadId())
        ++allocations;
}

AllocationCounter::AllocationCounter()
{
    jassert (countedThread.load() == nullptr);
    allocations = 0;
    countedThread = juce::Thread::getCurrentThreadId();
}

AllocationCounter::~AllocationCounter()
{
    countedThread = nullptr;
}

int AllocationCounter::getCount() const
{
    return allocations;
}

// The linker's --wrap sends the calls of the program's own code here, and the __real_ names to the C
// library's (or the sanitizers') functions.
extern "C"
{
    void* __real_malloc (std::size_t size);
    void* __real_calloc (std::size_t count, std::size_t size);
    void* __real_realloc (void* block, std::size_t size);

    void* __wrap_malloc (std::size_t size)
    {
        AllocationCounter::countOne();
        return __real_malloc (size);
    }

    void* __wrap_calloc (std::size_t count, std::size_t size)
    {
        AllocationCounter::countOne();
        return __real_calloc (count, size);
    }

    void* __wrap_realloc (void* block, std::size_t size)
    {
        AllocationCounter::countOne();
        return __real_realloc (block, size);
    }
}
