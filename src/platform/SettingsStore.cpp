#include "SettingsStore.h"
#include "DataError.h"
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace {
std::unique_ptr<QSettings> openSettings()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("KAVRIN_SETTINGS"))
        return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\kavrindolmet"), QSettings::NativeFormat);
#endif
    return std::make_unique<QSettings>(SettingsStore::location(), QSettings::IniFormat);
}
} // namespace

QString SettingsStore::location()
{
    const QString overridden = qEnvironmentVariable("KAVRIN_SETTINGS");
    if (!overridden.isEmpty())
        return overridden;
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\kavrindolmet");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/kavrindolmet.ini");
#endif
}

bool SettingsStore::openExisting()
{
    auto s = openSettings();
    m_open = !s->allKeys().isEmpty();
    return m_open;
}

bool SettingsStore::openOrCreate()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("KAVRIN_SETTINGS")) {
        m_open = openSettings()->isWritable();
        return m_open;
    }
#endif
    const QFileInfo file(location());
    if (!QDir().mkpath(file.absolutePath()))
        return m_open = false;
    auto s = openSettings();
    m_open = s->isWritable() && (!file.exists() || file.isWritable());
    return m_open;
}

QString SettingsStore::value(const char *name) const
{
    return openSettings()->value(QLatin1String(name)).toString();
}

void SettingsStore::setValue(const char *name, const QString &value)
{
    auto s = openSettings();
    s->setValue(QLatin1String(name), value);
    s->sync();
    if (s->status() != QSettings::NoError)
        throw DataError(QStringLiteral("نوشتن مقدار %1 ممكن نشد").arg(QLatin1String(name)));
}
