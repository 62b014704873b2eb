#include "varenta/store/InputFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace varenta {
namespace {

TEST(InputFileTest, OnlyRegularFilesUpToTheLimitAreRead) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/f";
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("12345");
    out.close();
    const QString pipe = dir.path() + "/pipe";
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const struct {
        QString path;
        qint64 limit;
        int error;
    } cases[] = {
        {file, 5, 0},        {file, 4, EFBIG},           {dir.path(), 100, EISDIR},
        {pipe, 100, EINVAL}, {"/dev/zero", 100, EINVAL}, {dir.path() + "/none", 100, ENOENT},
    };
    for (const auto& c : cases) {
        QByteArray bytes("left over");
        EXPECT_EQ(ReadInputFile(c.path, c.limit, bytes), c.error) << c.path.toStdString();
        EXPECT_EQ(bytes, c.error == 0 ? QByteArray("12345") : QByteArray());
    }
}

} // namespace
} // namespace varenta
