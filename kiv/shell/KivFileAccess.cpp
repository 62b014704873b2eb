#include "kiv/shell/KivFileAccess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kiv {
namespace {

// Temporary files are named "<name>.tmp-<pid>-XXXXXX": the process id tells
// a leftover of a dead copy from the file of one that is writing right now.
constexpr char kTempMark[] = ".tmp-";

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The process id in a temporary file's name, or 0 when it is not one of ours.
long TempOwner(const QString& name) {
    const qsizetype mark = name.lastIndexOf(QLatin1String(kTempMark));
    if (mark <= 0) {
        return 0;
    }
    const QString rest = name.mid(mark + static_cast<qsizetype>(sizeof kTempMark) - 1);
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0 || rest.size() - dash - 1 != 6) {
        return 0;
    }
    bool ok = false;
    const long pid = rest.left(dash).toLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace

int ReadInputFile(const QString& path, qint64 maxBytes, QByteArray& out) {
    out.clear();
    // Non-blocking, so opening a pipe nobody writes to returns at once; the
    // type check below then refuses it before any read.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
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

bool ReplaceFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    QByteArray temp = Native(info.absoluteFilePath() + QLatin1String(kTempMark) +
                             QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // rename() replaces the name itself: a link there is not followed.
    ok = ok && ::rename(temp.constData(), Native(info.absoluteFilePath()).constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
    }
    return ok;
}

int RemoveStaleTemporaryFiles(const QString& folder) {
    int removed = 0;
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        const long pid = TempOwner(name);
        if (pid == 0) {
            continue;
        }
        // ESRCH: no such process any more. EPERM means someone else's
        // process is alive under that number: leave its file alone.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
            continue;
        }
        if (::unlink(Native(folder + QLatin1Char('/') + name).constData()) == 0) {
            ++removed;
        }
    }
    return removed;
}

QString LockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()) {
        return runtime;
    }
    const QString own = QDir::tempPath() + QStringLiteral("/kiv-") + QString::number(::getuid());
    ::mkdir(Native(own).constData(), 0700);
    // Somebody else's folder, or a link put in its place, is not used.
    struct stat st {};
    if (::lstat(Native(own).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != ::getuid() || (st.st_mode & 0077) != 0) {
        return QString();
    }
    return own;
}

QString LockPathFor(const QString& path) {
    const QString folder = LockFolder();
    if (folder.isEmpty()) {
        return QString();
    }
    const QFileInfo info(path);
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    const QString whole =
        (parent.isEmpty() ? info.absolutePath() : parent) + QLatin1Char('/') + info.fileName();
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(whole), QCryptographicHash::Sha1).toHex();
    return folder + QLatin1Char('/') + info.fileName() + QLatin1Char('-') +
           QString::fromLatin1(hash.left(16)) + QStringLiteral(".lock");
}

FileLock::Waiting FileLock::Waiting::Real() {
    Waiting waiting;
    waiting.now = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
    waiting.pause = [](std::chrono::milliseconds span) { std::this_thread::sleep_for(span); };
    return waiting;
}

FileLock::FileLock(const QString& path, const Waiting& waiting) {
    const QString lockPath = LockPathFor(path);
    if (lockPath.isEmpty()) {
        return;
    }
    fd_ = ::open(Native(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return;
    }
    const auto start = waiting.now();
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            locked_ = true;
            return;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK || waiting.now() - start >= waiting.giveUpAfter) {
            return;
        }
        waiting.pause(waiting.retryEvery);
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing releases the lock
    }
}

} // namespace kiv
