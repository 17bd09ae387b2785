#include "plugin/AllocationCounter.h"

// operator new (std::size_t) and operator new[] (std::size_t) by their mangled names, where std::size_t is
// unsigned long long on 64-bit Windows; the linker's --wrap sends the program's calls here
// (cmake/Tests.cmake).
extern "C"
{
    void* __real__Znwy (std::size_t size);
    void* __real__Znay (std::size_t size);

    void* __wrap__Znwy (std::size_t size)
    {
        AllocationCounter::countOne();
        return __real__Znwy (size);
    }

    void* __wrap__Znay (std::size_t size)
    {
        AllocationCounter::countOne();
        return __real__Znay (size);
    }
}
