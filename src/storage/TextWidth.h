// Text widths as a double-byte code page counted them: a wide character (East Asian
// Width W or F: CJK ideographs, kana, hangul, full-width forms) counts 2, any other 1.
#pragma once

#include <QStringView>

bool IsWideCharacter(char32_t codePoint);
// Whether the text begins with a wide character.
bool StartsWithWide(QStringView text);
// The width of the whole text, a wide character counting 2.
int TextWidth(QStringView text);
// The longest beginning of the text whose width is at most maxWidth; a character is never
// cut in half.
QStringView LeftByWidth(QStringView text, int maxWidth);
