#include "settingsstore.h"

#include "app/apperror.h"
#include "regfileformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
const QString kHive = QStringLiteral("HKEY_CURRENT_USER");
constexpr int kLockTimeoutMs = 10'000;
constexpr int kStaleLockMs = 3'000;
} // namespace

SettingsStore::SettingsStore(const QString &filePath)
    : m_path(filePath)
{
    try {
        m_tree = readFile(false);
    } catch (const AppError &error) {
        m_loadError = QStringLiteral("Cannot read the settings file %1\r%2\r"
                                     "Leafstack starts with its default settings and keeps the "
                                     "file as %1.bad.")
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

RegTree SettingsStore::readFile(bool setAsideWhenBad)
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(m_path, file.errorString()));
    const QByteArray content = file.readAll();
    file.close();
    try {
        return RegFileFormat::parse(content);
    } catch (const AppError &) {
        if (!setAsideWhenBad)
            throw;
        setAside();
        return {};
    }
}

// Moves an unreadable file to Leafstack.reg.bad (or .bad.1, .bad.2, ...): never overwritten unseen.
void SettingsStore::setAside()
{
    QString target = m_path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".bad.%1").arg(n);
    if (!QFile::rename(m_path, target))
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

QString SettingsStore::readString(const QString &key, const QString &name,
                                  const QString &defaultValue) const
{
    const RegValue *value = m_tree.value(fullPath(key), name);
    if (!value)
        return defaultValue;
    if (value->type != RegValue::Type::String)
        throw AppError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return value->text;
}

void SettingsStore::writeString(const QString &key, const QString &name, const QString &value)
{
    record({Change::Kind::SetValue, fullPath(key), RegValue::string(name, value)});
}

int SettingsStore::readInteger(const QString &key, const QString &name, int defaultValue) const
{
    const QString text = readString(key, name, QString());
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

void SettingsStore::apply(RegTree &tree, const Change &change) const
{
    switch (change.kind) {
    case Change::Kind::CreateKey:
        tree.createKey(change.key);
        break;
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

void SettingsStore::flush()
{
    if (m_changes.isEmpty())
        return;
    const QString failure = QStringLiteral("Failed to set data for '%1'").arg(m_path);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw AppError(failure);
    QLockFile lock(m_path + QStringLiteral(".lock"));
    // A flush holds the lock for milliseconds. A process killed while taking it can leave a
    // lock file too short to name its owner; such a file counts as stale after a few seconds
    // rather than Qt's thirty, so the next save still goes through.
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockTimeoutMs))
        throw AppError(failure);

    // Another process may have written since we read: start from the file as it is now.
    RegTree merged = readFile(true);
    for (const Change &change : std::as_const(m_changes))
        apply(merged, change);

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(failure);
    const QByteArray content = RegFileFormat::serialize(merged);
    if (file.write(content) != content.size() || !file.commit())
        throw AppError(failure);
    m_tree = std::move(merged);
    m_changes.clear();
}
