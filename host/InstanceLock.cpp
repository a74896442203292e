#include "host/InstanceLock.h"

#include "host/SkolvLink.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tessaly {

QString TInstanceLock::NameFor(const QString& programPath)
{
    QString file = programPath;
    const qsizetype slash = file.lastIndexOf('/');
    if (slash >= 0)
        file = file.mid(slash + 1);
    file.replace('\\', '_');
    return "SK_" + file;
}

QString TInstanceLock::PathFor(const QString& name)
{
    QString safe = name;
    safe.replace('/', '_');
    return SkolvRuntimeDir() + "/" + safe;
}

bool TInstanceLock::IsHeldElsewhere(const QString& name)
{
    const QByteArray path = QFile::encodeName(PathFor(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;  // no file: nobody ever held it
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool TInstanceLock::Acquire(const QString& name)
{
    Release();
    const QByteArray path = QFile::encodeName(PathFor(name));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    FFd = fd;
    return true;
}

void TInstanceLock::Release()
{
    if (FFd < 0)
        return;
    ::flock(FFd, LOCK_UN);
    ::close(FFd);
    FFd = -1;
}

} // namespace tessaly
