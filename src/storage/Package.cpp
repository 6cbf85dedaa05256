// The address book package over libzip: writing into memory and replacing the package file
// only once the archive is complete, and unpacking member by member into a folder with the
// password request, the per-member CRC result and the problem reports.
#include "storage/Package.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The fastest Deflate level: a book's tables pack to nearly the same size as with the
// default level, in a third of the time, which a large book's every save feels.
constexpr zip_uint32_t kDeflateLevel = 1;

struct ArchiveCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

struct SourceFreer
{
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFreer>;

struct MemberFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using MemberFilePtr = std::unique_ptr<zip_file_t, MemberFileCloser>;

// Letter case changes only a to z.
bool SameIgnoringCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x - u'A' + u'a');
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y - u'A' + u'a');
        if (x != y)
            return false;
    }
    return true;
}

QString ErrorText(zip_error_t* error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

QString ErrorTextOfCode(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = ErrorText(&error);
    zip_error_fini(&error);
    return text;
}

PackResult PackFailure(const QString& path, const QString& reason)
{
    return {false, QStringLiteral("Cannot write the package %1: %2")
                       .arg(QDir::toNativeSeparators(path), reason)};
}

// Members are bare file names; anything that could name a place outside the target folder
// is refused rather than flattened, so that it can never write over another member either.
bool HasFolderParts(const QString& name)
{
    return name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') ||
           name.contains(u'\\');
}

// The errors a traditional PKWARE member shows when its one-byte password check passed by
// chance with a wrong password: the decrypted data is garbage, which may also inflate to
// more than the member declares.
bool MayBeWrongPassword(int code)
{
    return code == ZIP_ER_CRC || code == ZIP_ER_COMPRESSED_DATA || code == ZIP_ER_ZLIB ||
           code == MemberTooLarge;
}

// Reads the archive member by member and keeps what the events need between members.
class Unpacker
{
public:
    Unpacker(zip_t* archive, const QString& targetFolder, const UnpackEvents& events,
             const UnpackOptions& options, UnpackResult& result)
        : m_archive(archive), m_target(targetFolder), m_events(events), m_options(options),
          m_result(result)
    {
        if (!options.password.isEmpty())
            m_passwords.push_back(options.password.toUtf8());
    }

    void Run(zip_int64_t count)
    {
        for (zip_int64_t i = 0; i < count && !m_result.cancelled; ++i)
            UnpackMember(zip_uint64_t(i));
    }

private:
    struct Outcome
    {
        bool ok = false;
        int code = 0;
        QString text;
    };

    static Outcome Success() { return {true, 0, {}}; }
    static Outcome Failure(int code, const QString& text) { return {false, code, text}; }

    void UnpackMember(zip_uint64_t index)
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            zip_error_t* error = zip_get_error(m_archive);
            Finish(QStringLiteral("#%1").arg(index),
                   Failure(zip_error_code_zip(error), ErrorText(error)));
            return;
        }
        const QString member = QString::fromUtf8(stat.name);
        Finish(member, Extract(index, member, stat));
    }

    Outcome Extract(zip_uint64_t index, const QString& member, const zip_stat_t& stat)
    {
        if (HasFolderParts(member))
            return Failure(MemberNameHasFolder,
                           QStringLiteral("the member name has folder parts; it is not unpacked"));
        for (const QString& seen : m_names)
            if (SameIgnoringCase(seen, member))
                return Failure(MemberNameRepeated,
                               QStringLiteral("another member has the same name"));
        m_names.push_back(member);

        qint64 declared = m_options.maxMemberSize;
        if (stat.valid & ZIP_STAT_SIZE) {
            if (stat.size > zip_uint64_t(m_options.maxMemberSize))
                return Failure(MemberTooLarge, QStringLiteral("the member is larger than %1 bytes")
                                                   .arg(m_options.maxMemberSize));
            declared = qint64(stat.size);
        }
        m_total += declared;
        if (m_total > m_options.maxTotalSize)
            return Failure(MemberTooLarge, QStringLiteral("the members together are larger "
                                                          "than %1 bytes")
                                               .arg(m_options.maxTotalSize));

        // Checked before opening: libzip 1.7 leaks the member's reader when opening fails
        // for one of these reasons.
        if ((stat.valid & ZIP_STAT_COMP_METHOD) &&
            !zip_compression_method_supported(stat.comp_method, 0))
            return Failure(ZIP_ER_COMPNOTSUPP, ErrorTextOfCode(ZIP_ER_COMPNOTSUPP));
        const bool encrypted =
            (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
        if (encrypted && !zip_encryption_method_supported(stat.encryption_method, 0))
            return Failure(ZIP_ER_ENCRNOTSUPP, ErrorTextOfCode(ZIP_ER_ENCRNOTSUPP));
        if (!encrypted) {
            MemberFilePtr file(zip_fopen_index(m_archive, index, 0));
            if (!file)
                return ArchiveFailure();
            return Write(file.get(), member, declared);
        }
        return ExtractEncrypted(index, member, declared);
    }

    // Tries the passwords that opened members so far, then asks until a password opens the
    // member or the request is cancelled.
    Outcome ExtractEncrypted(zip_uint64_t index, const QString& member, qint64 declared)
    {
        const std::vector<QByteArray> known = m_passwords;
        size_t next = 0;
        int attempt = 0;
        for (;;) {
            QByteArray password;
            if (next < known.size()) {
                password = known[next++];
            } else {
                std::optional<QString> answer;
                if (m_events.onPassword)
                    answer = m_events.onPassword(PasswordRequest{member, ++attempt});
                if (!answer) {
                    m_result.cancelled = true;
                    return Failure(ZIP_ER_CANCELLED, ErrorTextOfCode(ZIP_ER_CANCELLED));
                }
                password = answer->toUtf8();
            }
            MemberFilePtr file(
                zip_fopen_index_encrypted(m_archive, index, 0, password.constData()));
            if (!file) {
                const int code = zip_error_code_zip(zip_get_error(m_archive));
                if (code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD) {
                    Forget(password);
                    continue;
                }
                return ArchiveFailure();
            }
            Outcome outcome = Write(file.get(), member, declared);
            if (outcome.ok) {
                Confirm(password);
                return outcome;
            }
            // Garbage under a password that has opened nothing yet means a wrong password;
            // under one that opened other members it means a damaged member.
            if (MayBeWrongPassword(outcome.code) && !IsConfirmed(password)) {
                Forget(password);
                continue;
            }
            return outcome;
        }
    }

    Outcome ArchiveFailure()
    {
        zip_error_t* error = zip_get_error(m_archive);
        return Failure(zip_error_code_zip(error), ErrorText(error));
    }

    // Reads the member to its end (where the CRC is checked) into a temporary file beside the
    // target, which replaces the target only when the whole member was good.
    Outcome Write(zip_file_t* file, const QString& member, qint64 declared)
    {
        QTemporaryFile temp(QDir(m_target).filePath(QStringLiteral(".qv-unpack-XXXXXX")));
        if (!temp.open())
            return Failure(MemberNotWritten, temp.errorString());
        std::vector<char> buffer(64 * 1024);
        qint64 total = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0) {
                zip_error_t* error = zip_file_get_error(file);
                return Failure(zip_error_code_zip(error), ErrorText(error));
            }
            if (n == 0)
                break;
            total += n;
            // A member that inflates beyond what it declares is stopped here, before its
            // excess reaches the disk.
            if (total > declared)
                return Failure(MemberTooLarge,
                               QStringLiteral("the member is larger than it declares"));
            if (temp.write(buffer.data(), n) != n)
                return Failure(MemberNotWritten, temp.errorString());
        }
        if (!temp.flush())
            return Failure(MemberNotWritten, temp.errorString());
        temp.close();
        const QString target = Package::MemberFilePath(m_target, member);
        if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                        QFile::encodeName(target).constData()) != 0)
            return Failure(MemberNotWritten,
                           QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(target)));
        temp.setAutoRemove(false);
        return Success();
    }

    void Finish(const QString& member, const Outcome& outcome)
    {
        if (outcome.ok) {
            ++m_result.unpacked;
        } else {
            ++m_result.failed;
            if (!m_result.cancelled && m_events.onProblem)
                m_events.onProblem(ProblemReport{ProblemReport::Kind::Error, outcome.code,
                                                 member + QStringLiteral(": ") + outcome.text});
        }
        if (m_events.onMemberEnd)
            m_events.onMemberEnd(member, outcome.ok);
    }

    bool IsConfirmed(const QByteArray& password) const
    {
        return std::find(m_confirmed.begin(), m_confirmed.end(), password) != m_confirmed.end();
    }

    void Confirm(const QByteArray& password)
    {
        if (!IsConfirmed(password))
            m_confirmed.push_back(password);
        if (std::find(m_passwords.begin(), m_passwords.end(), password) == m_passwords.end())
            m_passwords.push_back(password);
        m_result.password = QString::fromUtf8(password);
    }

    // A password that opened members before stays for the next ones, which may share it.
    void Forget(const QByteArray& password)
    {
        if (IsConfirmed(password))
            return;
        m_passwords.erase(std::remove(m_passwords.begin(), m_passwords.end(), password),
                          m_passwords.end());
    }

    zip_t* m_archive;
    const QString& m_target;
    const UnpackEvents& m_events;
    const UnpackOptions& m_options;
    UnpackResult& m_result;
    std::vector<QByteArray> m_passwords; // tried first for every encrypted member
    std::vector<QByteArray> m_confirmed; // have opened a member with a good CRC
    QStringList m_names;
    qint64 m_total = 0;
};

} // namespace

QString ProblemReport::Line() const
{
    return (kind == Kind::Notice ? QStringLiteral("Message: ") : QStringLiteral("Error: ")) +
           QString::number(code) + QStringLiteral(" - ") + text;
}

Package::Package(QString path) : m_path(std::move(path)) {}

QStringList Package::MemberFilesIn(const QString& folder)
{
    QStringList files;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString suffix = entry.fileName().right(4);
        if (SameIgnoringCase(suffix, u".dbf") || SameIgnoringCase(suffix, u".dff"))
            files.append(entry.filePath());
    }
    return files;
}

bool Package::SameMemberName(QStringView a, QStringView b)
{
    return SameIgnoringCase(a, b);
}

QString Package::MemberFilePath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name))) {
        const QStringList entries =
            dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& entry : entries)
            if (SameIgnoringCase(entry, name))
                return dir.filePath(entry);
    }
    return dir.filePath(name);
}

PackResult Package::WriteFolder(const QString& folder, const QString& password) const
{
    return Write(MemberFilesIn(folder), password);
}

PackResult Package::Write(const QStringList& files, const QString& password) const
{
    // An archive without members would be no package at all (and libzip removes the file
    // when it closes an empty archive), so the old package stays.
    if (files.isEmpty())
        return PackFailure(m_path, QStringLiteral("there are no member files to pack"));
    QStringList names;
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.isFile())
            return PackFailure(
                m_path,
                QStringLiteral("%1 is not a readable file").arg(QDir::toNativeSeparators(file)));
        for (const QString& name : names)
            if (SameIgnoringCase(name, info.fileName()))
                return PackFailure(
                    m_path, QStringLiteral("two member files are named %1").arg(info.fileName()));
        names.append(info.fileName());
    }

    // The archive is built in memory; the package file is touched only by the final rename.
    zip_error_t error;
    zip_error_init(&error);
    SourcePtr buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        const QString text = ErrorText(&error);
        zip_error_fini(&error);
        return PackFailure(m_path, text);
    }
    ArchivePtr archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    if (!archive) {
        const QString text = ErrorText(&error);
        zip_error_fini(&error);
        return PackFailure(m_path, text);
    }
    zip_error_fini(&error);
    // The archive releases its reference when it closes; ours keeps the written bytes.
    zip_source_keep(buffer.get());

    const QByteArray passwordBytes = password.toUtf8();
    for (qsizetype i = 0; i < files.size(); ++i) {
        zip_error_t fileError;
        zip_error_init(&fileError);
        zip_source_t* source =
            zip_source_file_create(QFile::encodeName(files[i]).constData(), 0, -1, &fileError);
        if (!source) {
            const QString text = ErrorText(&fileError);
            zip_error_fini(&fileError);
            return PackFailure(
                m_path, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(files[i]), text));
        }
        zip_error_fini(&fileError);
        const zip_int64_t index =
            zip_file_add(archive.get(), names[i].toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return PackFailure(m_path, ErrorText(zip_get_error(archive.get())));
        }
        if (zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_DEFLATE,
                                     kDeflateLevel) != 0 ||
            (!password.isEmpty() &&
             zip_file_set_encryption(archive.get(), zip_uint64_t(index), ZIP_EM_TRAD_PKWARE,
                                     passwordBytes.constData()) != 0))
            return PackFailure(m_path, ErrorText(zip_get_error(archive.get())));
    }
    if (FailsAt(WriteStep::ArchiveBegun))
        return PackFailure(m_path, QStringLiteral("the write was made to fail"));

    if (zip_close(archive.get()) != 0)
        return PackFailure(m_path, ErrorText(zip_get_error(archive.get())));
    (void)archive.release();

    QByteArray bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_is_deleted(buffer.get()) || zip_source_stat(buffer.get(), &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(buffer.get()) != 0)
        return PackFailure(m_path, ErrorText(zip_source_error(buffer.get())));
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (read < 0 || zip_uint64_t(read) != stat.size)
        return PackFailure(m_path, ErrorText(zip_source_error(buffer.get())));
    if (FailsAt(WriteStep::ArchiveClosed))
        return PackFailure(m_path, QStringLiteral("the write was made to fail"));

    // QSaveFile writes a temporary file in the package's folder, keeps the old file's
    // permissions, and renames it over the package on commit.
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return PackFailure(m_path, out.errorString());
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return PackFailure(m_path, out.errorString());
    }
    if (FailsAt(WriteStep::TempFileWritten)) {
        out.cancelWriting();
        return PackFailure(m_path, QStringLiteral("the write was made to fail"));
    }
    if (!out.commit())
        return PackFailure(m_path, out.errorString());
    return {true, {}};
}

UnpackResult Package::Unpack(const QString& targetFolder, const UnpackEvents& events,
                             const UnpackOptions& options) const
{
    UnpackResult result;
    const QString shown = QDir::toNativeSeparators(m_path);
    // One clear error rather than one per member that cannot be written.
    if (!QFileInfo(targetFolder).isDir()) {
        result.error = QStringLiteral("Cannot unpack the package %1: the folder %2 does not exist")
                           .arg(shown, QDir::toNativeSeparators(targetFolder));
        return result;
    }
    int code = 0;
    ArchivePtr archive(
        zip_open(QFile::encodeName(m_path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        result.error =
            QStringLiteral("Cannot read the package %1: %2").arg(shown, ErrorTextOfCode(code));
        return result;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count <= 0) {
        result.error = QStringLiteral("The package %1 holds no members").arg(shown);
        return result;
    }
    if (count > options.maxMembers) {
        result.error = QStringLiteral("The package %1 holds more than %2 members")
                           .arg(shown)
                           .arg(options.maxMembers);
        return result;
    }
    Unpacker(archive.get(), targetFolder, events, options, result).Run(count);
    return result;
}
