// What the tests of the browser test and of the bridge to Pagewright stand on: a private temporary
// folder that the program takes for the system's one (TMPDIR), a folder for the user's own files,
// and a stand-in browser program that records how it was started.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace mapwright {

inline std::string ToBytes(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    return std::string(encoded.constData(), std::size_t(encoded.size()));
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

class CBrowserTestBench {
public:
    // Makes the folders and points TMPDIR at Temp(); the old TMPDIR comes back on destruction.
    CBrowserTestBench()
        : m_root(QDir::tempPath() + "/mw-XXXXXX"),
          m_oldTmpDir(qgetenv("TMPDIR")),
          m_bHadTmpDir(qEnvironmentVariableIsSet("TMPDIR"))
    {
        QDir(m_root.path()).mkpath("tmp");
        QDir(m_root.path()).mkpath("site");
        SetTmpDir(Temp());
    }
    ~CBrowserTestBench()
    {
        if (m_bHadTmpDir)
            qputenv("TMPDIR", m_oldTmpDir);
        else
            qunsetenv("TMPDIR");
    }
    CBrowserTestBench(const CBrowserTestBench&) = delete;
    CBrowserTestBench& operator=(const CBrowserTestBench&) = delete;

    bool Ok() const { return m_root.isValid(); }
    QString Root() const { return m_root.path(); }
    // The folder the program takes for the system's temporary folder.
    QString Temp() const { return m_root.path() + "/tmp"; }
    // A folder for the user's page and picture.
    QString Site() const { return m_root.path() + "/site"; }
    void SetTmpDir(const QString& folder) { qputenv("TMPDIR", QFile::encodeName(folder)); }

    // The names in the temporary folder, sorted.
    QStringList TempEntries() const
    {
        return QDir(Temp()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    // Writes a browser program that appends "<argument count>|<first argument>" as one line to
    // BrowserRecord(); returns its path.
    QString MakeRecordingBrowser() const
    {
        const QString program = m_root.path() + "/browser.sh";
        const QByteArray script = "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" +
                                  QFile::encodeName(BrowserRecord()) + "'\n";
        WriteAll(program, script);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return program;
    }
    QString BrowserRecord() const { return m_root.path() + "/browser-starts.txt"; }
    // The lines the recording browser wrote so far.
    QStringList BrowserStarts() const
    {
        return QString::fromUtf8(ReadAll(BrowserRecord())).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_root;
    QByteArray m_oldTmpDir;
    bool m_bHadTmpDir;
};

}  // namespace mapwright
