// Text widths in the units field sizes and the name rule count.
#include "storage/TextWidth.h"

#include <QChar>
#include <unicode/uchar.h>

namespace {

// The code point at `at` and the number of UTF-16 units it takes.
char32_t CodePointAt(QStringView text, qsizetype at, qsizetype& length)
{
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    }
    length = 1;
    return text[at].unicode();
}

} // namespace

bool IsWideCharacter(char32_t codePoint)
{
    const int width = u_getIntPropertyValue(UChar32(codePoint), UCHAR_EAST_ASIAN_WIDTH);
    return width == U_EA_WIDE || width == U_EA_FULLWIDTH;
}

bool StartsWithWide(QStringView text)
{
    qsizetype length = 0;
    return !text.isEmpty() && IsWideCharacter(CodePointAt(text, 0, length));
}

int TextWidth(QStringView text)
{
    int width = 0;
    qsizetype length = 0;
    for (qsizetype at = 0; at < text.size(); at += length)
        width += IsWideCharacter(CodePointAt(text, at, length)) ? 2 : 1;
    return width;
}

QStringView LeftByWidth(QStringView text, int maxWidth)
{
    int width = 0;
    qsizetype length = 0;
    for (qsizetype at = 0; at < text.size(); at += length) {
        width += IsWideCharacter(CodePointAt(text, at, length)) ? 2 : 1;
        if (width > maxWidth)
            return text.left(at);
    }
    return text;
}
