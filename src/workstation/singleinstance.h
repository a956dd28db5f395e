#pragma once

#include <QString>

// One copy of the program per desktop. The object is named; a second process (or a
// second SingleInstance in the same process) that asks for the same name on the same
// desktop is refused while the first holds it. The operating system lets go of it when
// the holder ends, crashed or not, so a dead copy never locks out the next start.
class SingleInstance
{
public:
    // lockFolder (POSIX only): where the lock file lives; empty for the runtime folder.
    explicit SingleInstance(const QString& name = QStringLiteral("ZAQMAIN"), const QString& lockFolder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this object now holds the name (also when it already did).
    bool acquire();
    bool isHeld() const;
    void release();

private:
    QString m_name;
    QString m_lockFolder;
#ifdef _WIN32
    void* m_mutex = nullptr;
#else
    int m_fd = -1;
#endif
};
