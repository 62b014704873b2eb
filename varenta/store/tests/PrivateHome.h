// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a fresh temporary folder for
// the life of a test, so no test reads or writes the user's own settings.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace varenta::testing {

class PrivateHome : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Save("XDG_CONFIG_HOME", savedConfig_);
        Save("XDG_DATA_HOME", savedData_);
        setenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit().constData(), 1);
        setenv("XDG_DATA_HOME", (dir_.path() + "/data").toLocal8Bit().constData(), 1);
    }
    void TearDown() override {
        Restore("XDG_CONFIG_HOME", savedConfig_);
        Restore("XDG_DATA_HOME", savedData_);
    }

    QString Root() const { return dir_.path(); }
    QString ConfigDir() const { return dir_.path() + "/config/varenta"; }
    QString DataDir() const { return dir_.path() + "/data/varenta"; }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
    }

private:
    static void Save(const char* name, std::optional<std::string>& slot) {
        if (const char* v = std::getenv(name)) {
            slot = v;
        }
    }
    static void Restore(const char* name, const std::optional<std::string>& slot) {
        if (slot) {
            setenv(name, slot->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    QTemporaryDir dir_;
    std::optional<std::string> savedConfig_, savedData_;
};

} // namespace varenta::testing
