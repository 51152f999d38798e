#include "fullfiles.h"

#include <csignal>

FullFiles::FullFiles(rlim_t bytes)
{
    // The short write is the fault under test, not the signal.
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_before);
    rlimit small = m_before;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
}

FullFiles::~FullFiles()
{
    setrlimit(RLIMIT_FSIZE, &m_before);
}
