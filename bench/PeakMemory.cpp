#include "PeakMemory.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

int64_t PeakResidentKilobytes()
{
#if defined(__APPLE__)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    return static_cast<int64_t>(usage.ru_maxrss) / 1024;  // bytes there
#elif defined(__unix__)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    return static_cast<int64_t>(usage.ru_maxrss);  // kilobytes
#else
    return -1;
#endif
}
