#pragma once
// The per-user settings store: values by section and name, kept by QSettings
// under the application name "TR8KZ USW" (the registry on Windows, a .conf
// file under the user's configuration folder elsewhere). A value that is not
// stored, cannot be read, or is not a text reads as the default.

#include <QString>

class SettingsStore {
public:
    // The operator's own store.
    SettingsStore();
    // A store in an INI file of the caller's (tests, portable installs).
    explicit SettingsStore(QString iniFile);

    QString read(const QString& section, const QString& name, const QString& defaultValue) const;
    // Raises AppError when the store cannot be written.
    void write(const QString& section, const QString& name, const QString& value);

    static inline const QString ApplicationName = QStringLiteral("TR8KZ USW");

private:
    QString iniFile_;  // empty: the native per-user store
};
