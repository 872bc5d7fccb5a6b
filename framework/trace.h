// Trace lines: plain lines on standard output, flushed at once, without levels.
#ifndef TS2900_TRACE_H
#define TS2900_TRACE_H

#include <cstdarg>
#include <cstdio>

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline void trace(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fflush(stdout);
}

#endif
