#include "AllocationCounter.h"

namespace
{
// The counter of this thread, if any: a plain pointer in thread-local storage, which the allocation
// functions can read without allocating themselves.
thread_local int* countOfThisThread = nullptr;
thread_local int allocations = 0;
} // namespace

void AllocationCounter::countOne()
{
    if (countOfThisThread != nullptr)
        ++*countOfThisThread;
}

AllocationCounter::AllocationCounter()
{
    allocations = 0;
    countOfThisThread = &allocations;
}

AllocationCounter::~AllocationCounter()
{
    countOfThisThread = nullptr;
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
