// Fuzz entry for the package reader: the bytes become a package file that is unpacked into a
// fresh folder, answering the first password request for each member and cancelling after.
#include "storage/Package.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        return 0;
    const QString package = dir.filePath(QStringLiteral("fuzz.qvp"));
    const QString target = dir.filePath(QStringLiteral("out"));
    QDir(target).removeRecursively();
    QDir().mkpath(target);
    {
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    UnpackEvents events;
    events.onPassword = [](const PasswordRequest& request) -> std::optional<QString> {
        if (request.attempt > 1)
            return std::nullopt;
        return QStringLiteral("pw");
    };
    events.onMemberEnd = [](const QString&, bool) {};
    events.onProblem = [](const ProblemReport& report) { (void)report.Line(); };
    // Small limits keep every run fast; the checks are the same as with the real ones.
    UnpackOptions options;
    options.maxMemberSize = 1 << 20;
    options.maxTotalSize = 4 << 20;
    options.maxMembers = 64;
    const UnpackResult result = Package(package).Unpack(target, events, options);
    (void)result.Succeeded();
    return 0;
}
