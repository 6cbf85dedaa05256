// Fuzz target for the table file reader: any bytes are read as a table file. A file the
// reader accepts must be written again and read back unchanged.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "storage/DatabaseError.h"
#include "storage/TableFile.h"

namespace {

// Two files of this process in the temporary folder, removed when it ends.
struct ScratchFiles
{
    ScratchFiles()
    {
        const QString base =
            QDir::tempPath() +
            QStringLiteral("/fuzz_tablefile_%1_").arg(QCoreApplication::applicationPid());
        input = base + QStringLiteral("input.dbf");
        copy = base + QStringLiteral("copy.dbf");
    }
    ~ScratchFiles()
    {
        QFile::remove(input);
        QFile::remove(copy);
    }
    QString input;
    QString copy;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ScratchFiles files;
    {
        QFile file(files.input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TableContent content;
    try {
        content = ReadTableFile(files.input);
    } catch (const DatabaseError&) {
        return 0;
    }

    std::vector<RecordView> records;
    for (size_t i = 0; i < content.RecordCount(); ++i)
        records.push_back(content.At(i));
    try {
        WriteTableFile(files.copy, content.fields, records);
        const TableContent again = ReadTableFile(files.copy);
        if (!(again.fields == content.fields) || again.cells != content.cells)
            std::abort();
    } catch (const DatabaseError&) {
        std::abort(); // an accepted table must be writable and readable again
    }
    return 0;
}
