// The private working folder: created 0700, refused when an existing entry is a link or
// another user's, and emptied of the book's member files after every load and save.
#include "storage/WorkFolder.h"

#include "storage/Package.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

WorkFolderResult Refused(const QString& folder, const QString& reason)
{
    return {
        false,
        QStringLiteral("The working folder %1 %2.").arg(QDir::toNativeSeparators(folder), reason)};
}

} // namespace

WorkFolderResult PrepareWorkFolder(const QString& folder)
{
    // Without the trailing separator: lstat of "link/" would follow the link.
    const QString path = QDir::cleanPath(folder);
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0) {
        if (errno != ENOENT)
            return Refused(path, QStringLiteral("cannot be examined: %1")
                                     .arg(QString::fromLocal8Bit(std::strerror(errno))));
        QDir().mkpath(QFileInfo(path).absolutePath());
        // The umask can only take bits away from 0700; an entry made meanwhile is examined
        // below like any existing one.
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return Refused(path, QStringLiteral("cannot be created: %1")
                                     .arg(QString::fromLocal8Bit(std::strerror(errno))));
        if (::lstat(name.constData(), &info) != 0)
            return Refused(path, QStringLiteral("cannot be examined: %1")
                                     .arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (S_ISLNK(info.st_mode))
        return Refused(path, QStringLiteral("is a link"));
    if (!S_ISDIR(info.st_mode))
        return Refused(path, QStringLiteral("is not a folder"));
    if (info.st_uid != ::geteuid())
        return Refused(path, QStringLiteral("belongs to another user"));
    if ((info.st_mode & 07777) != 0700 && ::chmod(name.constData(), 0700) != 0)
        return Refused(path, QStringLiteral("cannot be made private: %1")
                                 .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return {true, {}};
}

bool ClearWorkFolder(const QString& folder)
{
    const QDir dir(folder);
    bool allGone = true;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        for (const QString& member : kPackageMembers) {
            if (!Package::SameMemberName(entry, member))
                continue;
            if (!QFile::remove(dir.filePath(entry)))
                allGone = false;
            break;
        }
    }
    return allGone;
}
