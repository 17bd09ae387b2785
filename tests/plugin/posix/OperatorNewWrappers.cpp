#include "plugin/AllocationCounter.h"

// operator new (std::size_t) and operator new[] (std::size_t) by their mangled names, where std::size_t is
// unsigned long; the linker's --wrap sends the program's calls here (cmake/Tests.cmake).
extern "C"
{
    void* __real__Znwm (std::size_t size);
    void* __real__Znam (std::size_t size);

    void* __wrap__Znwm (std::size_t size)
    {
        AllocationCounter::countOne();
        return __real__Znwm (size);
    }

    void* __wrap__Znam (std::size_t size)
    {
        AllocationCounter::countOne();
        return __real__Znam (size);
    }
}
