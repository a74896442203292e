#include "host/InstanceLock.h"

#include "host/SkolvLink.h"

#include <QFileInfo>

#include <charconv>
#include <cerrno>
#include <cstring>
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

TInstanceLock::TResult TInstanceLock::TryAcquire(const QString& name, QString* why)
{
    Release();
    const QString file = PathFor(name);
    const QByteArray path = QFile::encodeName(file);
    auto failed = [&](const char* what) {
        if (why)
            *why = QString("cannot %1 the lock %2: %3")
                       .arg(QLatin1String(what), file, QString::fromLocal8Bit(std::strerror(errno)));
        return TResult::Failed;
    };
    // O_NOFOLLOW: a link planted under the lock's name is not followed.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return failed("open");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return TResult::HeldElsewhere;
        errno = error;
        return failed("take");
    }
    FFd = fd;
    return TResult::Acquired;
}

void TInstanceLock::Release()
{
    if (FFd < 0)
        return;
    ::flock(FFd, LOCK_UN);
    ::close(FFd);
    FFd = -1;
}

bool TInstanceLock::RecordOwner(std::uint32_t window)
{
    if (FFd < 0)
        return false;
    const std::string text = std::to_string(window) + "\n";
    return ::ftruncate(FFd, 0) == 0 &&
           ::pwrite(FFd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

std::uint32_t TInstanceLock::OwnerOf(const QString& name)
{
    const QByteArray path = QFile::encodeName(PathFor(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return 0;
    char text[16] = {};
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    if (n <= 0)
        return 0;
    std::uint32_t window = 0;
    const char* end = text + n;
    const auto [ptr, ec] = std::from_chars(text, end, window);
    // The whole file is the number and a line feed, nothing else.
    const bool whole = ec == std::errc() && ptr != text && (ptr == end || (*ptr == '\n' && ptr + 1 == end));
    return whole ? window : 0;
}

} // namespace tessaly
