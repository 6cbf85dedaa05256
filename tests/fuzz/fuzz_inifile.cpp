// Fuzz target for the settings file reader: any bytes parse into sections and keys without a
// crash, every value goes through the number rule, and a key written back reads back unchanged.
#include "storage/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini;
    ini.LoadText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QString& section : {QStringLiteral("FieldsList"), QStringLiteral("MiscOption"),
                                   QStringLiteral("Fonts"), QStringLiteral("User")}) {
        for (const KeyValue& line : ini.ReadSection(section))
            (void)IniFile::ParseInteger(line.value);
    }
    (void)ini.ReadBool(QStringLiteral("MiscOption"), QStringLiteral("ToSaveSize"), true);

    ini.WriteInteger(QStringLiteral("MiscOption"), QStringLiteral("FormWidth"), -638);
    ini.WriteString(QStringLiteral("Fonts"), QStringLiteral("TreeFontname"),
                    QStringLiteral("Sans\n[Fonts]\nTreeFontname=forged"));
    IniFile again;
    again.LoadText(ini.Text());
    if (again.ReadInteger(QStringLiteral("MiscOption"), QStringLiteral("FormWidth"), 0) != -638)
        std::abort();
    if (again.ReadString(QStringLiteral("Fonts"), QStringLiteral("TreeFontname"), QString()) !=
        QStringLiteral("Sans [Fonts] TreeFontname=forged"))
        std::abort();
    return 0;
}
