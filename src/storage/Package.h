// The address book package: a ZIP archive of the book's member files, written with Deflate and
// optionally the traditional PKWARE encryption, and unpacked into a folder with a password
// request, a result per member and problem reports for the caller to show.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

// The member files of a book, as written.
inline const std::array<QString, 5> kPackageMembers = {
    QStringLiteral("Names.dbf"), QStringLiteral("Agents.dbf"), QStringLiteral("tree.dff"),
    QStringLiteral("treeno.dff"), QStringLiteral("surname.dff")};

// The outcome of writing a package: error is empty on success.
struct PackResult
{
    bool ok = false;
    QString error;

    explicit operator bool() const { return ok; }
};

// An encrypted member that the passwords tried so far do not open.
struct PasswordRequest
{
    QString member;
    int attempt = 1; // 1 for the first request for this member, 2 after one wrong answer, ...
};

// A problem met while unpacking, in the two line forms the user is shown.
struct ProblemReport
{
    enum class Kind
    {
        Notice,
        Error
    };
    Kind kind = Kind::Error;
    int code = 0; // the ZIP library's error number, or one of UnpackProblem
    QString text;

    // "Message: " or "Error: ", the number, " - " and the text.
    QString Line() const;
};

// Numbers of the problems the reader finds itself, beside the ZIP library's own.
enum UnpackProblem : int
{
    MemberNameHasFolder = 1001, // the name has folder parts: it is not written at all
    MemberTooLarge = 1002,      // over the size limit, or larger than it declares
    MemberNameRepeated = 1003,  // a second member with the same name (letter case aside)
    MemberNotWritten = 1004,    // the target file could not be written
};

struct UnpackEvents
{
    // Asked when an encrypted member needs a password, again after each wrong answer;
    // nullopt (or no callback) cancels, and the members after it are not read.
    std::function<std::optional<QString>(const PasswordRequest&)> onPassword;
    // Once for each member read: true when it was written and passed its CRC check, false
    // when it was given up (damaged, refused, or its password request cancelled).
    std::function<void(const QString& member, bool crcOk)> onMemberEnd;
    // Why a member was given up; a cancelled password request is no problem to report.
    std::function<void(const ProblemReport&)> onProblem;
};

// Tried before asking, and the guards against archives that would fill the disk.
struct UnpackOptions
{
    QString password;
    qint64 maxMemberSize = qint64(1) << 30;
    qint64 maxTotalSize = qint64(2) << 30;
    qint64 maxMembers = 1000;
};

struct UnpackResult
{
    int unpacked = 0;       // members written with a good CRC
    int failed = 0;         // members given up
    bool cancelled = false; // a password request was cancelled; the rest was not read
    QString error;          // the archive itself could not be read (not a ZIP, truncated, ...)
    QString password;       // the password that opened the encrypted members, if any

    // Every member unpacked with a good CRC.
    bool Succeeded() const { return error.isEmpty() && !cancelled && failed == 0; }
};

class Package
{
public:
    // The points of a write where the test seam may make it fail.
    enum class WriteStep
    {
        ArchiveBegun,   // the new archive is open and holds its members, not yet closed
        ArchiveClosed,  // the archive is complete in memory, nothing written to disk yet
        TempFileWritten // the archive is in the temporary file beside the package
    };
    // Returns true to make the write fail at that step.
    using WriteFaultHook = std::function<bool(WriteStep)>;

    explicit Package(QString path);

    const QString& Path() const { return m_path; }

    // Packs the files under their bare names, encrypted when password is not empty. The
    // package is replaced only by a complete new one: any failure leaves the old file as it was.
    PackResult Write(const QStringList& files, const QString& password) const;
    // Packs every file of folder whose extension is ".dbf" or ".dff" (letter case aside),
    // without sub-folders.
    PackResult WriteFolder(const QString& folder, const QString& password) const;
    // The files WriteFolder packs, sorted by name.
    static QStringList MemberFilesIn(const QString& folder);

    // Unpacks every member into targetFolder, writing over a file whose name equals the
    // member's without regard to letter case.
    UnpackResult Unpack(const QString& targetFolder, const UnpackEvents& events,
                        const UnpackOptions& options = {}) const;

    // Member names are compared without regard to letter case, which changes only a to z.
    static bool SameMemberName(QStringView a, QStringView b);
    // The path of the file in folder named name without regard to letter case (the exact
    // name first); folder + name when there is none.
    static QString MemberFilePath(const QString& folder, const QString& name);

    void SetWriteFaultHook(WriteFaultHook hook) { m_faultHook = std::move(hook); }

private:
    bool FailsAt(WriteStep step) const { return m_faultHook && m_faultHook(step); }

    QString m_path;
    WriteFaultHook m_faultHook;
};
