// The settings store of the Varenta program. Every setting is addressed by a
// two-level name such as "Settings\Sound" and read with a default, so a
// missing value is never an error. The values live in one per-user file
// (see StorePaths.h); every change replaces that file atomically, and two
// copies of the program running at once each merge their change into the
// file's current content instead of writing back a stale copy.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "varenta/store/SettingsTree.h"

namespace varenta {

// A failing store call: "Reg Error: " and the failing call's code as eight
// hexadecimal digits, or "Invalid variant type" for a value of a kind the
// store does not keep.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message);
    // code is the system's errno; its description is the reason.
    static SettingsError FromCode(unsigned code);
    // The text of the error box: the message, and on a line of its own the
    // system's reason where there is one ("No space left on device").
    QString Message() const;
    QString Reason() const { return reason_; }

private:
    QString reason_;
};

// "Settings\Sound" -> {"Settings", "Sound"}: split at the last single
// backslash; a doubled backslash stands for one literal backslash.
std::pair<QString, QString> SplitSettingName(const QString& name);

class SettingsFile {
public:
    // The program's own settings file, looked up anew on every call.
    SettingsFile() = default;
    explicit SettingsFile(QString fileName) : fileName_(std::move(fileName)) {}

    QString FileName() const;

    // Integer values come back as int (booleans as 0 / 1), texts as QString,
    // real numbers as double, dates as QDateTime. A missing value or an
    // empty text gives `defaultValue`. Reading creates the value's group.
    QVariant Read(const QString& name, const QVariant& defaultValue);
    bool ReadBool(const QString& name, bool defaultValue);
    int ReadInteger(const QString& name, int defaultValue);
    QString ReadString(const QString& name, const QString& defaultValue);

    // Integers and booleans, texts, and real numbers or dates (kept as the
    // 16-byte variant record); anything else is refused before anything is
    // written. Throws SettingsError when the file cannot be replaced.
    void Write(const QString& name, const QVariant& value);
    // Several values in one replacement of the file: other copies of the
    // program see all of them or none. Nothing is written if one is refused.
    using NamedValues = std::vector<std::pair<QString, QVariant>>;
    void WriteValues(const NamedValues& values);
    // Empties a group (with the groups below it) and writes these values, in
    // one replacement of the file: a list rewritten shorter never shows
    // half-way, with old entries left over or new ones missing.
    void ReplaceGroup(const QString& group, const NamedValues& values);
    // Reads and writes in one step under the lock, so that what another
    // copy of the program wrote in between is never lost: `change` reads the
    // file's current values (as Read does, creating nothing) and returns the
    // values to write. It runs once, under the lock, and must not use the store.
    using Reader = std::function<QVariant(const QString& name, const QVariant& defaultValue)>;
    void Update(const std::function<NamedValues(const Reader& read)>& change);

    bool ValueExists(const QString& group, const QString& valueName);
    bool KeyExists(const QString& group);
    // Both return whether something was there to delete; deleting a group
    // takes its values and every group below it.
    bool DeleteKey(const QString& group);
    bool DeleteValue(const QString& group, const QString& valueName);

    // A damaged or unreadable file is reported once through this handler,
    // when the store call that found it is over and the file is no longer
    // locked (the handler may show a box and run events that use the store);
    // reports that arrive before a handler is set wait for it.
    using NoticeHandler = std::function<void(const QString& message)>;
    void SetNoticeHandler(NoticeHandler handler);

    // How long a call waits for the lock another copy of the program holds:
    // after `tellAfter` the wait handler gets a message saying so (and an
    // empty one when the wait is over), after `giveUpAfter` the call fails
    // with a SettingsError. Tests give a clock whose pause only advances it.
    struct LockWaiting {
        std::function<std::chrono::milliseconds()> now;
        std::function<void(std::chrono::milliseconds)> pause;
        std::chrono::milliseconds retryEvery{50};
        std::chrono::milliseconds tellAfter{1000};
        std::chrono::milliseconds giveUpAfter{10000};
        static LockWaiting Real(); // the steady clock, and sleeping
    };
    void SetLockWaiting(LockWaiting waiting) { lockWaiting_ = std::move(waiting); }
    // Called at once, in the middle of the store call: it may show the
    // message but must not run events or use the store.
    using WaitHandler = std::function<void(const QString& message)>;
    void SetWaitHandler(WaitHandler handler) { waitHandler_ = std::move(handler); }

    // Runs after the new file is complete on disk and before it replaces the
    // old one; tests use it to stand for a crash at that moment.
    void SetBeforeReplaceHook(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

private:
    struct FileIdentity {
        bool exists = false;
        int statError = 0; // errno of a failed look-up other than "no such file"
        unsigned long long dev = 0, ino = 0;
        long long size = 0, mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    class Lock;
    class NoticeScope;

    static FileIdentity Identify(const QString& path);
    static QVariant ValueOf(const SettingsEntry* entry, const QVariant& defaultValue);
    void Refresh(const QString& path, bool locked);
    void Load(const QString& path, const FileIdentity& identity);
    // `partlyRead`: the lines that could be read are in use, not the defaults.
    void SetAside(const QString& path, const FileIdentity& identity, const QString& reason,
                  bool partlyRead);
    template <typename Change> bool Modify(Change change);
    void Save(const QString& path, const SettingsTree& tree);
    void WriteValues(const NamedValues& values, const std::optional<QString>& erase);
    void Notify(const QString& message);
    void DeliverNotices();

    QString fileName_;
    QString loadedPath_;
    SettingsTree tree_;
    std::optional<FileIdentity> identity_; // of the file tree_ was read from
    // A damaged file that could not be moved aside: it must not be replaced.
    std::optional<std::pair<FileIdentity, int>> keptDamaged_;
    QStringList pendingNotices_;
    NoticeHandler noticeHandler_;
    int callDepth_ = 0; // store calls under way; notices wait until it is 0
    std::function<void()> beforeReplace_;
    LockWaiting lockWaiting_ = LockWaiting::Real();
    WaitHandler waitHandler_;
    bool lockGivenUp_ = false; // the last wait timed out: try once only
};

// The one settings store of the program.
extern SettingsFile rfMain;

} // namespace varenta
