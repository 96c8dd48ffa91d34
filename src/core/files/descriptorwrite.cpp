// The one write loop over a file descriptor: save files, plugins and the metafile child use it.
#include "core/files/descriptorwrite.h"

#include <cerrno>
#include <unistd.h>

int WriteAllTo(int fd, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t wrote = ::write(fd, bytes, size);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return wrote < 0 ? errno : ENOSPC;
        bytes += wrote;
        size -= std::size_t(wrote);
    }
    return 0;
}
