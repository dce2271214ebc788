#pragma once
// Small fixtures of the session tests: environment variables set for one test, a temporary XDG
// data home, readable QString output in failure messages.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Sets (or, with nullptr, removes) an environment variable until the end of the scope.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = std::string(old);
        }
        Apply(value);
    }
    ~TScopedEnv() { Apply(m_old ? m_old->c_str() : nullptr); }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    void Apply(const char* value)
    {
        if (value != nullptr) {
            setenv(m_name.c_str(), value, 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

// A fresh, empty XDG data home (the roaming folder) for one test.
class TTempDataHome {
public:
    TTempDataHome() : m_env("XDG_DATA_HOME", m_dir.path().toLocal8Bit().constData()) {}
    QString Path() const { return m_dir.path(); }
    bool IsValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    TScopedEnv m_env;
};
