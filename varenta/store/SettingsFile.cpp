#include "varenta/store/SettingsFile.h"

#include "varenta/store/InputFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/store/WriteTarget.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace varenta {

SettingsFile rfMain;

namespace {

QByteArray Native(const QString& path) {
    return path.toLocal8Bit();
}

QString ErrnoText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// The 16-byte variant record: a 2-byte type tag, 6 reserved bytes and an
// 8-byte payload, little-endian. Real numbers, currency and dates use it.
enum VariantTag : quint16 { kVarSingle = 4, kVarDouble = 5, kVarCurrency = 6, kVarDate = 7 };
constexpr int kVariantRecordSize = 16;
// Dates count days from 30 December 1899.
const QDateTime& DateEpoch() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}

QByteArray MakeVariantRecord(quint16 tag, const void* payload, size_t size) {
    QByteArray record(kVariantRecordSize, '\0');
    record[0] = static_cast<char>(tag & 0xFF);
    record[1] = static_cast<char>(tag >> 8);
    std::memcpy(record.data() + 8, payload, size);
    return record;
}

QVariant ReadVariantRecord(const QByteArray& record) {
    if (record.size() != kVariantRecordSize) {
        return {};
    }
    const auto tag = static_cast<quint16>(static_cast<unsigned char>(record[0]) |
                                          (static_cast<unsigned char>(record[1]) << 8));
    const char* payload = record.constData() + 8;
    switch (tag) {
    case kVarSingle: {
        float f = 0;
        std::memcpy(&f, payload, sizeof f);
        return static_cast<double>(f);
    }
    case kVarDouble: {
        double d = 0;
        std::memcpy(&d, payload, sizeof d);
        return d;
    }
    case kVarCurrency: {
        qint64 scaled = 0;
        std::memcpy(&scaled, payload, sizeof scaled);
        return static_cast<double>(scaled) / 10000.0;
    }
    case kVarDate: {
        double days = 0;
        std::memcpy(&days, payload, sizeof days);
        if (!std::isfinite(days) || std::fabs(days) > 3.0e6) {
            return {};
        }
        return DateEpoch().addMSecs(static_cast<qint64>(std::llround(days * 86400000.0)));
    }
    default:
        return {};
    }
}

bool IntegerValue(const QVariant& value, SettingsValue& out) {
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    // A value that only fits as unsigned 32 bits (a colour, say) keeps its
    // bit pattern; anything wider is refused rather than cut.
    if (!ok || n < std::numeric_limits<qint32>::min() ||
        n > static_cast<qlonglong>(std::numeric_limits<quint32>::max())) {
        return false;
    }
    out.kind = SettingsValue::Kind::Integer;
    out.integer = static_cast<qint32>(static_cast<quint32>(n));
    return true;
}

// Maps a value to the kind the store keeps it as, or nothing.
std::optional<SettingsValue> ToSettingsValue(const QVariant& value) {
    SettingsValue out;
    switch (value.typeId()) {
    case QMetaType::Bool:
        out.integer = value.toBool() ? 1 : 0;
        return out;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (value.typeId() == QMetaType::ULongLong &&
            value.toULongLong() > std::numeric_limits<quint32>::max()) {
            return std::nullopt;
        }
        return IntegerValue(value, out) ? std::optional(out) : std::nullopt;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        out.kind = SettingsValue::Kind::Text;
        out.text = value.toString();
        return out;
    case QMetaType::Float: {
        const float f = value.toFloat();
        out.kind = SettingsValue::Kind::Binary;
        out.binary = MakeVariantRecord(kVarSingle, &f, sizeof f);
        return out;
    }
    case QMetaType::Double: {
        const double d = value.toDouble();
        out.kind = SettingsValue::Kind::Binary;
        out.binary = MakeVariantRecord(kVarDouble, &d, sizeof d);
        return out;
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime when = value.typeId() == QMetaType::QDate
                                   ? QDateTime(value.toDate(), QTime(0, 0), Qt::UTC)
                                   : value.toDateTime().toUTC();
        if (!when.isValid()) {
            return std::nullopt;
        }
        const double days = static_cast<double>(DateEpoch().msecsTo(when)) / 86400000.0;
        out.kind = SettingsValue::Kind::Binary;
        out.binary = MakeVariantRecord(kVarDate, &days, sizeof days);
        return out;
    }
    default:
        return std::nullopt;
    }
}

int MakeDirectories(const QString& dir) {
    const QByteArray native = Native(dir);
    for (qsizetype i = 1; i <= native.size(); ++i) {
        if (i < native.size() && native[i] != '/') {
            continue;
        }
        const QByteArray part = native.left(i);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST) {
            return errno;
        }
    }
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        return errno;
    }
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

int WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        p += n;
        left -= n;
    }
    return 0;
}

// No settings file of this program comes near this; anything larger is not
// ours (or a device that never ends) and is set aside rather than read.
constexpr qsizetype kMaxSettingsFileSize = kMaxSettingsInputBytes;

} // namespace

SettingsError::SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}

SettingsError SettingsError::FromCode(unsigned code) {
    SettingsError error(QCoreApplication::translate("varenta", texts::kSettingsErrorPrefix) +
                        QStringLiteral("%1").arg(code, 8, 16, QLatin1Char('0')).toUpper());
    error.reason_ = ErrnoText(static_cast<int>(code));
    return error;
}

QString SettingsError::Message() const {
    const QString message = QString::fromUtf8(what());
    return reason_.isEmpty() ? message : message + QLatin1Char('\n') + reason_;
}

std::pair<QString, QString> SplitSettingName(const QString& name) {
    qsizetype split = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] != QLatin1Char('\\')) {
            continue;
        }
        if (i + 1 < name.size() && name[i + 1] == QLatin1Char('\\')) {
            ++i; // a doubled backslash is text, not a separator
        } else {
            split = i;
        }
    }
    auto undouble = [](QString part) { return part.replace(QStringLiteral("\\\\"), "\\"); };
    if (split < 0) {
        return {QString(), undouble(name)};
    }
    return {undouble(name.left(split)), undouble(name.mid(split + 1))};
}

// Serialises changes of all copies of the program: an exclusive lock on a
// companion file, released by the system even if the holder dies. A copy
// that holds it for long (stopped in a debugger, hung) must not freeze this
// one for ever: after a short wait the user is told, and after a bounded
// one the call fails with the store's error. Once that happened the
// following calls try only once, until the lock is free again.
class SettingsFile::Lock {
public:
    Lock(const QString& path, SettingsFile& store) {
        // A link put at the lock's name is not followed (it could make or
        // touch a file anywhere the user may write).
        fd_ = ::open(Native(path + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                     0600);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        const LockWaiting& waiting = store.lockWaiting_;
        const auto start = waiting.now();
        bool told = false;
        for (;;) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                store.lockGivenUp_ = false;
                break;
            }
            if (errno == EINTR) {
                continue;
            }
            if (errno != EWOULDBLOCK) {
                error_ = errno;
                break;
            }
            const auto waited = waiting.now() - start;
            if (store.lockGivenUp_ || waited >= waiting.giveUpAfter) {
                store.lockGivenUp_ = true;
                error_ = ETIMEDOUT;
                break;
            }
            if (!told && waited >= waiting.tellAfter) {
                told = true;
                if (store.waitHandler_) {
                    store.waitHandler_(
                        QCoreApplication::translate("varenta", texts::kSettingsLockWait).arg(path));
                }
            }
            waiting.pause(waiting.retryEvery);
        }
        if (told && store.waitHandler_) {
            store.waitHandler_(QString());
        }
    }
    ~Lock() {
        if (fd_ >= 0) {
            ::close(fd_); // closing releases the lock
        }
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    int Error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

SettingsFile::LockWaiting SettingsFile::LockWaiting::Real() {
    LockWaiting w;
    w.now = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
    w.pause = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
    return w;
}

QString SettingsFile::FileName() const {
    return fileName_.isEmpty() ? SettingsFilePath() : fileName_;
}

SettingsFile::FileIdentity SettingsFile::Identify(const QString& path) {
    FileIdentity id;
    struct stat st {};
    if (::stat(Native(path).constData(), &st) != 0) {
        id.statError = errno == ENOENT ? 0 : errno;
        return id;
    }
    id.exists = true;
    id.dev = st.st_dev;
    id.ino = st.st_ino;
    id.size = st.st_size;
    id.mtimeSec = st.st_mtim.tv_sec;
    id.mtimeNsec = st.st_mtim.tv_nsec;
    id.ctimeSec = st.st_ctim.tv_sec;
    id.ctimeNsec = st.st_ctim.tv_nsec;
    return id;
}

// Brings tree_ up to date with the file. Cheap when nothing changed: one
// stat. Another copy of the program replaces the file (a new inode) on every
// change, so a changed identity means a reload.
void SettingsFile::Refresh(const QString& path, bool locked) {
    if (path != loadedPath_) {
        loadedPath_ = path;
        tree_ = SettingsTree();
        identity_.reset();
        keptDamaged_.reset();
    }
    const FileIdentity id = Identify(path);
    if (identity_ && *identity_ == id) {
        return;
    }
    if (!id.exists) {
        if (id.statError != 0) {
            Notify(QCoreApplication::translate("varenta", texts::kSettingsUnreachable)
                       .arg(path, ErrnoText(id.statError)));
        }
        tree_ = SettingsTree();
        identity_ = id;
        return;
    }
    if (keptDamaged_ && keptDamaged_->first == id) {
        identity_ = id;
        return; // already reported; the defaults stay in use
    }
    if (locked) {
        Load(path, id);
        return;
    }
    // Loading may have to move a damaged file aside, which must not race
    // with another copy doing the same, so it happens under the lock. A
    // folder we may not write to can still be read without it.
    // A lock that cannot be had (even after the bounded wait) does not stop
    // reading: files are only ever replaced whole.
    Lock lock(path, *this);
    Refresh(path, true);
}

void SettingsFile::Load(const QString& path, const FileIdentity& identity) {
    QByteArray bytes;
    const int error = ReadInputFile(path, kMaxSettingsFileSize, bytes);
    if (error != 0) {
        tree_ = SettingsTree();
        SetAside(path, identity, ErrnoText(error), false);
        return;
    }
    SettingsParseResult parsed = ParseSettingsTree(bytes);
    tree_ = std::move(parsed.tree);
    identity_ = identity;
    if (parsed.damaged) {
        // What could be read is kept; the original goes aside untouched, so
        // the next write cannot replace it with less than it held.
        // The notice says which: some settings kept, or none at all.
        SetAside(
            path, identity,
            QCoreApplication::translate("varenta", texts::kDamagedBadLine).arg(parsed.firstBadLine),
            !tree_.Groups().empty());
    }
}

void SettingsFile::SetAside(const QString& path, const FileIdentity& identity,
                            const QString& reason, bool partlyRead) {
    QString aside = path + ".damaged";
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n) {
        aside = path + ".damaged-" + QString::number(n);
    }
    if (::rename(Native(path).constData(), Native(aside).constData()) == 0) {
        identity_ = Identify(path);
        Notify(QCoreApplication::translate("varenta", partlyRead ? texts::kSettingsPartlyRead
                                                                 : texts::kSettingsDamaged)
                   .arg(path, reason, aside));
        return;
    }
    const int error = errno;
    keptDamaged_ = std::make_pair(identity, error);
    identity_ = identity;
    Notify(QCoreApplication::translate("varenta", partlyRead ? texts::kSettingsPartlyReadKept
                                                             : texts::kSettingsDamagedKept)
               .arg(path, reason, ErrnoText(error)));
}

// Applies one change to the file's current content under the lock and
// writes the result; `change` returns false when there is nothing to write.
template <typename Change> bool SettingsFile::Modify(Change change) {
    const QString path = FileName();
    if (const int error = MakeDirectories(QFileInfo(path).absolutePath()); error != 0) {
        throw SettingsError::FromCode(static_cast<unsigned>(error));
    }
    Lock lock(path, *this);
    if (lock.Error() != 0) {
        throw SettingsError::FromCode(static_cast<unsigned>(lock.Error()));
    }
    // Under the lock the file is read again whatever its identity says: a
    // file replaced by another copy can look unchanged (a reused inode, a
    // coarse clock), and merging into a stale copy would drop its values.
    // Without a file there is nothing to read, and what was saved from a
    // damaged one must stay.
    if (identity_ && Identify(path).exists) {
        identity_.reset();
    }
    Refresh(path, true);
    if (identity_ && identity_->statError != 0) {
        throw SettingsError::FromCode(static_cast<unsigned>(identity_->statError));
    }
    if (keptDamaged_ && identity_ && keptDamaged_->first == *identity_) {
        throw SettingsError::FromCode(static_cast<unsigned>(keptDamaged_->second));
    }
    SettingsTree next = tree_;
    if (!change(next)) {
        return false;
    }
    Save(path, next);
    tree_ = std::move(next);
    identity_ = Identify(path);
    return true;
}

// Writes the whole file beside the old one and renames it over it: a
// reader, or a crash at any moment, sees either the old or the new file.
void SettingsFile::Save(const QString& requested, const SettingsTree& tree) {
    const WriteTarget target = ResolveWriteTarget(Native(requested).toStdString());
    if (target.refusal != WriteRefusal::None) {
        throw SettingsError(
            QCoreApplication::translate("varenta", texts::kSettingsNotReplaced)
                .arg(requested, QString::fromLatin1(RefusalReason(target.refusal))));
    }
    const QString path =
        QString::fromLocal8Bit(target.path.data(), static_cast<qsizetype>(target.path.size()));
    const QByteArray bytes = SerializeSettingsTree(tree);
    if (bytes.size() > kMaxSettingsFileSize) {
        // It could not be read back: refuse it now rather than lose it all later.
        throw SettingsError::FromCode(EFBIG);
    }
    const QByteArray temp = Native(path + ".new");
    // A leftover of a crash (or a link someone put there) is removed, so the
    // new file is always our own, freshly made one. We hold the lock.
    ::unlink(temp.constData());
    const int fd =
        ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw SettingsError::FromCode(static_cast<unsigned>(errno));
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        if (beforeReplace_) {
            beforeReplace_();
        }
        if (::rename(temp.constData(), Native(path).constData()) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        ::unlink(temp.constData());
        throw SettingsError::FromCode(static_cast<unsigned>(error));
    }
    // Make the rename itself durable; a failure here loses nothing already
    // visible, so it is not reported.
    const int dir = ::open(Native(QFileInfo(path).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Held by every public store call. Notices found during the call are
// handed out when the outermost call ends, after the lock is released, so a
// handler that runs events cannot block this or another copy of the program
// on the lock. When the call fails they wait for the next one.
class SettingsFile::NoticeScope {
public:
    explicit NoticeScope(SettingsFile& store)
        : store_(store), uncaught_(std::uncaught_exceptions()) {
        ++store_.callDepth_;
    }
    ~NoticeScope() noexcept(false) {
        if (--store_.callDepth_ == 0 && std::uncaught_exceptions() == uncaught_) {
            store_.DeliverNotices();
        }
    }
    NoticeScope(const NoticeScope&) = delete;
    NoticeScope& operator=(const NoticeScope&) = delete;

private:
    SettingsFile& store_;
    int uncaught_;
};

void SettingsFile::Notify(const QString& message) {
    pendingNotices_.append(message);
    if (callDepth_ == 0) {
        DeliverNotices();
    }
}

void SettingsFile::DeliverNotices() {
    if (!noticeHandler_) {
        return;
    }
    // Taken first: the handler may call the store again.
    const QStringList pending = std::exchange(pendingNotices_, {});
    for (const QString& message : pending) {
        noticeHandler_(message);
    }
}

void SettingsFile::SetNoticeHandler(NoticeHandler handler) {
    noticeHandler_ = std::move(handler);
    if (callDepth_ == 0) {
        DeliverNotices();
    }
}

QVariant SettingsFile::Read(const QString& name, const QVariant& defaultValue) {
    const NoticeScope scope(*this);
    const auto [group, valueName] = SplitSettingName(name);
    Refresh(FileName(), false);
    if (!group.isEmpty() && tree_.Groups().count(SettingsTree::Fold(group)) == 0) {
        try {
            Modify([&groupName = group](SettingsTree& tree) {
                tree.EnsureGroup(groupName);
                return true;
            });
        } catch (const SettingsError&) {
            // An empty group that cannot be created loses nothing; the
            // value still reads as its default.
        }
    }
    return ValueOf(tree_.Find(group, valueName), defaultValue);
}

QVariant SettingsFile::ValueOf(const SettingsEntry* entry, const QVariant& defaultValue) {
    if (entry == nullptr) {
        return defaultValue;
    }
    switch (entry->value.kind) {
    case SettingsValue::Kind::Integer:
        return entry->value.integer;
    case SettingsValue::Kind::Text:
        return entry->value.text.isEmpty() ? defaultValue : QVariant(entry->value.text);
    case SettingsValue::Kind::Binary: {
        const QVariant decoded = ReadVariantRecord(entry->value.binary);
        return decoded.isValid() ? decoded : defaultValue;
    }
    }
    return defaultValue;
}

bool SettingsFile::ReadBool(const QString& name, bool defaultValue) {
    return Read(name, defaultValue).toBool();
}

int SettingsFile::ReadInteger(const QString& name, int defaultValue) {
    bool ok = false;
    const int value = Read(name, defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

QString SettingsFile::ReadString(const QString& name, const QString& defaultValue) {
    return Read(name, defaultValue).toString();
}

void SettingsFile::Write(const QString& name, const QVariant& value) {
    WriteValues({{name, value}});
}

void SettingsFile::WriteValues(const NamedValues& values) {
    WriteValues(values, std::nullopt);
}

void SettingsFile::ReplaceGroup(const QString& group, const NamedValues& values) {
    WriteValues(values, group);
}

namespace {

// Values to write, checked and split into group and name before the file is
// touched: one that cannot be stored refuses the whole write.
struct PendingValue {
    QString group, valueName;
    SettingsValue value;
};

std::vector<PendingValue> Checked(const SettingsFile::NamedValues& values) {
    std::vector<PendingValue> pending;
    for (const auto& [name, value] : values) {
        const std::optional<SettingsValue> stored = ToSettingsValue(value);
        if (!stored) {
            throw SettingsError(QCoreApplication::translate("varenta", texts::kInvalidVariantType));
        }
        const auto [group, valueName] = SplitSettingName(name);
        pending.push_back({group, valueName, *stored});
    }
    return pending;
}

// Sets them in the tree; whether anything changed.
bool Apply(SettingsTree& tree, const std::vector<PendingValue>& pending) {
    bool changed = false;
    for (const PendingValue& p : pending) {
        const SettingsEntry* old = tree.Find(p.group, p.valueName);
        if (old == nullptr || !(old->value == p.value)) {
            tree.Set(p.group, p.valueName, p.value);
            changed = true;
        }
    }
    return changed;
}

} // namespace

void SettingsFile::Update(const std::function<NamedValues(const Reader&)>& change) {
    const NoticeScope scope(*this);
    Modify([&change](SettingsTree& tree) {
        const Reader read = [&tree](const QString& name, const QVariant& defaultValue) {
            const auto [group, valueName] = SplitSettingName(name);
            return ValueOf(tree.Find(group, valueName), defaultValue);
        };
        return Apply(tree, Checked(change(read)));
    });
}

void SettingsFile::WriteValues(const NamedValues& values, const std::optional<QString>& erase) {
    const NoticeScope scope(*this);
    const std::vector<PendingValue> pending = Checked(values);
    Modify([&pending, &erase](SettingsTree& tree) {
        const bool erased = erase.has_value() && tree.RemoveGroup(*erase);
        return Apply(tree, pending) || erased;
    });
}

bool SettingsFile::ValueExists(const QString& group, const QString& valueName) {
    const NoticeScope scope(*this);
    Refresh(FileName(), false);
    return tree_.Find(group, valueName) != nullptr;
}

bool SettingsFile::KeyExists(const QString& group) {
    const NoticeScope scope(*this);
    Refresh(FileName(), false);
    return tree_.HasGroup(group);
}

bool SettingsFile::DeleteKey(const QString& group) {
    const NoticeScope scope(*this);
    bool removed = false;
    Modify([&](SettingsTree& tree) { return removed = tree.RemoveGroup(group); });
    return removed;
}

bool SettingsFile::DeleteValue(const QString& group, const QString& valueName) {
    const NoticeScope scope(*this);
    bool removed = false;
    Modify([&](SettingsTree& tree) { return removed = tree.RemoveValue(group, valueName); });
    return removed;
}

} // namespace varenta
