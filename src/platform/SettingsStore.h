#pragma once
#include <QString>

// The per-user connection settings. On Windows they are the registry key
// HKEY_CURRENT_USER\SOFTWARE\kavrindolmet; elsewhere an INI file in the
// user's configuration folder (or the file named by KAVRIN_SETTINGS) holding
// the same value names.
class SettingsStore {
public:
    static constexpr const char *ServerName = "DorvaPelinSqlServerName";
    static constexpr const char *DataBase = "DorvaPelinDataBase";
    static constexpr const char *UserName = "DorvaPelinUserName";
    static constexpr const char *Authentication = "DorvaPelinAuthentication";
    static constexpr const char *Password = "DorvaPelinPassword";
    // Added value: the database engine; missing means SQL Server, so the
    // settings of existing installations keep working.
    static constexpr const char *EngineName = "DorvaPelinEngine";

    // Opens the key without creating it: false when it is not there.
    bool openExisting();
    // Opens the key, creating it when missing: false when that fails.
    bool openOrCreate();

    QString value(const char *name) const;          // a missing value reads as the empty text
    void setValue(const char *name, const QString &value); // throws DataError when the write fails

    static QString location();

private:
    bool m_open = false;
};
