#include "varenta/store/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varenta {

int ReadInputFile(const QString& path, qint64 maxBytes, QByteArray& out) {
    out.clear();
    // Non-blocking, so opening a pipe nobody writes to returns at once; the
    // type check below then refuses it before any read.
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else if (st.st_size > maxBytes) {
        error = EFBIG;
    }
    // The size is checked again while reading: the file may grow meanwhile.
    QByteArray data;
    char buffer[16384];
    while (error == 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        if (n == 0) {
            break;
        }
        if (data.size() + n > maxBytes) {
            error = EFBIG;
            break;
        }
        data.append(buffer, n);
    }
    ::close(fd);
    if (error == 0) {
        out = std::move(data);
    }
    return error;
}

} // namespace varenta
