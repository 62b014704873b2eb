// The one way the Varenta program opens a file it reads as input (settings,
// the old profile file, card-back pictures, sounds): only a regular file of
// a sane size is read, so a pipe, a device or a folder put where a file
// belongs is refused at once instead of hanging or spinning the program.
#pragma once

#include <QByteArray>
#include <QString>

namespace varenta {

// Largest input of each kind this program reads.
inline constexpr qint64 kMaxSettingsInputBytes = 16 * 1024 * 1024;
inline constexpr qint64 kMaxPictureInputBytes = 32 * 1024 * 1024;
inline constexpr qint64 kMaxSoundInputBytes = 64 * 1024 * 1024;

// Reads the whole file at `path` into `out`. Returns 0, or the errno that
// says why not: the open's own error, EISDIR for a folder, EINVAL for
// anything else that is not a regular file, EFBIG for a file larger than
// `maxBytes`. `out` is empty unless the whole file was read.
int ReadInputFile(const QString& path, qint64 maxBytes, QByteArray& out);

} // namespace varenta
