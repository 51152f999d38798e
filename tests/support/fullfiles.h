#pragma once

#include <sys/resource.h>

// While it lives, no file this process writes may grow past the given size,
// as on a disk that fills up midway: a write beyond it falls short.
class FullFiles
{
public:
    explicit FullFiles(rlim_t bytes);
    ~FullFiles();
    FullFiles(const FullFiles &) = delete;
    FullFiles &operator=(const FullFiles &) = delete;

private:
    rlimit m_before{};
};
