#pragma once
// Small fixtures of the session tests: whole files read and written, environment variables set
// for one test, a temporary XDG data home, a full disk, readable QString output in failure
// messages.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

#include <sys/resource.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// The whole content of a file; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the file hold exactly the bytes.
inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
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

// A disk that fills up: until the end of the scope no file of this process grows beyond
// p_nBytes, whoever runs the test (root too); a write past it fails instead of raising a signal.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t p_nBytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = p_nBytes;
        m_bActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

    bool IsActive() const { return m_bActive; }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int);
    bool m_bActive = false;
};
