#include "settingsstore.h"

#include "base/apperror.h"
#include "regfileformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {
const QString kHive = QStringLiteral("HKEY_CURRENT_USER");
constexpr int kLockTimeoutMs = 10'000;
constexpr int kStaleLockMs = 3'000;
// A message names this many damaged lines at most.
constexpr qsizetype kLinesNamed = 8;

QString describeDamage(const QString &path, const QStringList &problems)
{
    QString lines = problems.mid(0, kLinesNamed).join(QLatin1Char('\r'));
    if (problems.size() > kLinesNamed)
        lines += QStringLiteral("\r(and %1 more lines)").arg(problems.size() - kLinesNamed);
    return QStringLiteral("Some lines of the settings file %1 cannot be read:\r%2\r"
                          "Leafstack uses every other value and keeps a copy of the file as "
                          "%1.bad.")
            .arg(path, lines);
}

} // namespace

SettingsStore::SettingsStore(const QString &filePath)
    : m_path(filePath)
{
    try {
        QStringList problems;
        m_tree = readFile(problems, m_stamp);
        m_damaged = !problems.isEmpty();
        if (m_damaged)
            m_loadError = describeDamage(m_path, problems);
    } catch (const AppError &error) {
        m_loadError = QStringLiteral("Cannot read the settings file %1\r%2\r"
                                     "Leafstack starts with its default settings.")
                              .arg(m_path, error.message());
    }
}

QString SettingsStore::defaultFilePath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Orvanel/Leafstack.reg");
}

QString SettingsStore::fullPath(const QString &key)
{
    QString path = key;
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path.isEmpty() ? kHive : kHive + QLatin1Char('\\') + path;
}

SettingsStore::Stamp SettingsStore::stampOf(const QString &path)
{
    Stamp stamp;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.changed = qint64(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
    return stamp;
}

RegTree SettingsStore::readFile(QStringList &problems, Stamp &stamp) const
{
    stamp = stampOf(m_path);
    if (!stamp.exists)
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(m_path, file.errorString()));
    const QByteArray content = file.readAll();
    file.close();
    return RegFileFormat::parse(content, &problems);
}

// Copies a damaged file to Leafstack.reg.bad (or .bad.1, .bad.2, ...) before it is replaced:
// what could not be read is never lost unseen.
void SettingsStore::setAside()
{
    QString target = m_path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".bad.%1").arg(n);
    if (!QFile::copy(m_path, target))
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(m_path));
}

bool SettingsStore::openKey(const QString &key, bool create)
{
    if (keyExists(key))
        return true;
    if (!create)
        return false;
    record({Change::Kind::CreateKey, fullPath(key), {}});
    return true;
}

bool SettingsStore::keyExists(const QString &key) const
{
    return m_tree.keyExists(fullPath(key));
}

QStringList SettingsStore::valueNames(const QString &key) const
{
    return m_tree.valueNames(fullPath(key));
}

QStringList SettingsStore::subKeys(const QString &key) const
{
    return m_tree.subKeys(fullPath(key));
}

bool SettingsStore::valueExists(const QString &key, const QString &name) const
{
    return m_tree.value(fullPath(key), name) != nullptr;
}

std::optional<QString> SettingsStore::stringValue(const QString &key, const QString &name) const
{
    const QString path = fullPath(key);
    const RegValue *value = m_tree.value(path, name);
    if (!value)
        return std::nullopt;
    if (value->type == RegValue::Type::String)
        return value->text;
    const QString id = (path + QLatin1Char('\\') + name).toCaseFolded();
    if (!m_said.contains(id)) {
        m_said.insert(id);
        m_problems.append(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
    return std::nullopt;
}

QString SettingsStore::readString(const QString &key, const QString &name,
                                  const QString &defaultValue) const
{
    return stringValue(key, name).value_or(defaultValue);
}

void SettingsStore::writeString(const QString &key, const QString &name, const QString &value)
{
    record({Change::Kind::SetValue, fullPath(key), RegValue::string(name, value)});
}

void SettingsStore::writeStringIfAbsent(const QString &key, const QString &name,
                                        const QString &value)
{
    if (!valueExists(key, name))
        record({Change::Kind::SetIfAbsent, fullPath(key), RegValue::string(name, value)});
}

int SettingsStore::readInteger(const QString &key, const QString &name, int defaultValue) const
{
    return toInteger(readString(key, name, QString()), defaultValue);
}

int SettingsStore::toInteger(const QString &text, int defaultValue)
{
    bool ok = false;
    int number = 0;
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = int(text.mid(2).toUInt(&ok, 16));
    else
        number = text.toInt(&ok, 10);
    return ok ? number : defaultValue;
}

void SettingsStore::writeInteger(const QString &key, const QString &name, int value)
{
    writeString(key, name, QString::number(value));
}

void SettingsStore::writeBool(const QString &key, const QString &name, bool value)
{
    writeString(key, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::eraseKey(const QString &key)
{
    record({Change::Kind::EraseKey, fullPath(key), {}});
}

QStringList SettingsStore::takeProblems()
{
    return std::exchange(m_problems, {});
}

void SettingsStore::apply(RegTree &tree, const Change &change) const
{
    switch (change.kind) {
    case Change::Kind::CreateKey:
        tree.createKey(change.key);
        break;
    case Change::Kind::SetIfAbsent:
        if (tree.value(change.key, change.value.name))
            break;
        [[fallthrough]];
    case Change::Kind::SetValue:
        tree.setValue(change.key, change.value);
        break;
    case Change::Kind::EraseKey:
        tree.eraseKey(change.key);
        break;
    }
}

void SettingsStore::record(Change change)
{
    apply(m_tree, change);
    m_changes.append(std::move(change));
}

void SettingsStore::write(const RegTree &tree)
{
    QSaveFile file(m_path);
    const QByteArray content = RegFileFormat::serialize(tree);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(m_path));
}

void SettingsStore::flush()
{
    if (!hasUnsavedChanges())
        return;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(m_path));
    QLockFile lock(m_path + QStringLiteral(".lock"));
    // A flush holds the lock for milliseconds. A process killed while taking it can leave a
    // lock file too short to name its owner; such a file counts as stale after a few seconds
    // rather than Qt's thirty, so the next save still goes through.
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockTimeoutMs))
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(m_path));

    if (stampOf(m_path) == m_stamp) {
        // Nobody has replaced the file since it was read or written here: what is in memory
        // is the file with this process's changes, so it need not be read again.
        if (m_damaged)
            setAside();
        m_damaged = false;
        write(m_tree);
    } else {
        // Another process has written since: start from the file as it is now.
        QStringList problems;
        Stamp ignored;
        RegTree merged = readFile(problems, ignored);
        if (!problems.isEmpty())
            setAside();
        for (const Change &change : std::as_const(m_changes))
            apply(merged, change);
        write(merged);
        m_tree = std::move(merged);
        m_damaged = false;
    }
    m_stamp = stampOf(m_path);
    m_changes.clear();
}
