#include "workstation/singleinstance.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

SingleInstance::SingleInstance(const QString& name, const QString& lockFolder)
    : m_name(name)
    , m_lockFolder(lockFolder)
{
}

SingleInstance::~SingleInstance()
{
    release();
}

#ifdef _WIN32

bool SingleInstance::acquire()
{
    if (m_mutex)
        return true;
    // A name without "Global\" lives in the session's namespace: one per desktop.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(m_name.utf16()));
    if (!mutex)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_mutex = mutex;
    return true;
}

bool SingleInstance::isHeld() const
{
    return m_mutex != nullptr;
}

void SingleInstance::release()
{
    if (m_mutex) {
        CloseHandle(static_cast<HANDLE>(m_mutex));
        m_mutex = nullptr;
    }
}

#else

namespace {

// The desktop a process belongs to: its user and its display.
QString lockFileName(const QString& name)
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    for (QChar& c : display) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    }
    return name + QLatin1Char('-') + QString::number(getuid()) + QLatin1Char('-') + display + QStringLiteral(".lock");
}

} // namespace

bool SingleInstance::acquire()
{
    if (m_fd >= 0)
        return true;
    QString folder = m_lockFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(lockFileName(m_name)));
    // flock belongs to the open file: it is gone the moment the holder dies, and a
    // second open of the same file, even in the same process, is refused.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool SingleInstance::isHeld() const
{
    return m_fd >= 0;
}

void SingleInstance::release()
{
    if (m_fd >= 0) {
        // The file stays: removing it would let a third copy lock a new file while a
        // second still waits on the old one.
        ::close(m_fd);
        m_fd = -1;
    }
}

#endif
