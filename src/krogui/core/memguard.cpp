#include <krogui/core/memguard.h>

#include <cstdio>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kro {

quint64 PhysicalMemoryBytes()
{
#if defined(Q_OS_WIN)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) return status.ullTotalPhys;
    return 0;
#elif defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    quint64 bytes = 0;
    if (pages <= 0 || pageSize <= 0 || !CheckedMul(quint64(pages), quint64(pageSize), bytes)) return 0;
    return bytes;
#else
    return 0;
#endif
}

quint64 AvailableMemoryBytes()
{
#if defined(Q_OS_LINUX)
    if (FILE *f = std::fopen("/proc/meminfo", "r")) {
        char line[256];
        unsigned long long kib = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, f))
            found = std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1;
        std::fclose(f);
        if (found) return quint64(kib) * 1024;
    }
#endif
    return PhysicalMemoryBytes();
}

bool StorageObtainable(quint64 Bytes)
{
    if (Bytes <= (quint64(256) << 20)) return true;
    // Without a known limit only what the address space can hold is refused; the allocator
    // decides the rest.
    const quint64 available = AvailableMemoryBytes();
    return Bytes <= (available ? available : (quint64(1) << 47));
}

} // namespace kro
