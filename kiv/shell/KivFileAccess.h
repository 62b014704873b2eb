// How Kiv touches the files it reads and writes. Input (kiv32.ini,
// kiv32.rng, waves, music) is read only from a regular file of a sane size,
// so a pipe, a device or a folder put in its place is refused at once
// instead of hanging the program. Output replaces the file as a whole: the
// bytes go to a fresh temporary file in the same folder, which is renamed
// over the name, so a crash never leaves half a file and a symbolic link at
// the name is replaced, never written through.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

namespace kiv {

// Largest input of each kind the program reads.
inline constexpr qint64 kMaxTextFileBytes = 1 << 20;           // kiv32.ini, kiv32.rng
inline constexpr qint64 kMaxMediaFileBytes = 64 * 1024 * 1024; // waves and music

// Reads the whole file at `path` into `out`. Returns 0, or the errno saying
// why not: the open's own error, EISDIR for a folder, EINVAL for anything
// else that is not a regular file, EFBIG for a file over `maxBytes`. `out`
// is empty unless the whole file was read.
int ReadInputFile(const QString& path, qint64 maxBytes, QByteArray& out);

// Replaces the file at `path` with `bytes` through a temporary file beside
// it. False when that fails; the old file is then untouched.
bool ReplaceFile(const QString& path, const QByteArray& bytes);

// Removes the temporary files a crashed copy of the program left in
// `folder` (those of copies still running are left alone). Returns how many
// were removed.
int RemoveStaleTemporaryFiles(const QString& folder);

// Where the program's locks live: $XDG_RUNTIME_DIR when it names a folder by
// an absolute path, else a folder of this user's own in the temporary folder
// ("kiv-<uid>", made private on first use). Empty when neither can be used.
// Locks are kept there, not beside the files they guard, so that no empty
// lock file is left among the user's settings.
QString LockFolder();
// The lock file for `path`: named for the file and its folder, so every
// spelling of one file's path leads to the same lock, and another folder's
// file of the same name to another. Empty when LockFolder() is.
QString LockPathFor(const QString& path);

// An exclusive lock on the file at `path` for the life of the object, shared
// with every other copy of the program and released by the system even when
// the holder dies. A copy that holds it for long (stopped in a debugger,
// hung) must not freeze this one: after `Waiting::giveUpAfter` the lock is
// given up. Locked() is false then, or when the lock file cannot be made;
// the caller goes on without it.
class FileLock {
public:
    struct Waiting {
        std::function<std::chrono::milliseconds()> now;
        std::function<void(std::chrono::milliseconds)> pause;
        std::chrono::milliseconds retryEvery{50};
        std::chrono::milliseconds giveUpAfter{10000};
        static Waiting Real(); // the steady clock, and sleeping
    };

    explicit FileLock(const QString& path, const Waiting& waiting = Waiting::Real());
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

} // namespace kiv
