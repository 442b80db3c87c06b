#include "SettingsStore.h"

#include "AppError.h"

#include <QSettings>
#include <memory>

namespace {
std::unique_ptr<QSettings> open(const QString& iniFile)
{
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::ApplicationName);
    return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}
}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(QString iniFile) : iniFile_(std::move(iniFile)) {}

QString SettingsStore::read(const QString& section, const QString& name, const QString& defaultValue) const
{
    auto settings = open(iniFile_);
    if (settings->status() != QSettings::NoError) return defaultValue;
    const QVariant value = settings->value(section + QLatin1Char('/') + name);
    if (value.typeId() != QMetaType::QString) return defaultValue;
    return value.toString();
}

void SettingsStore::write(const QString& section, const QString& name, const QString& value)
{
    auto settings = open(iniFile_);
    settings->setValue(section + QLatin1Char('/') + name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot save the setting %1 in %2").arg(name, settings->fileName()));
}
