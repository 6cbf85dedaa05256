// The order of text in the tables: the locale's collation (through ICU, the engine Qt's
// collator uses as well), with case as the tie-breaker, and its sort keys as bytes, so
// that a full sort compares bytes rather than collating the same texts again and again.
#pragma once

#include <QStringView>
#include <cstdint>
#include <vector>

struct UCollator;

class Collation
{
public:
    Collation();
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    // Negative, zero or positive as a sorts before, with or after b.
    int Compare(QStringView a, QStringView b) const;
    // Appends the sort key of text: bytes that compare as the texts do, ending with a 0
    // byte and holding no other 0 byte.
    void AppendKey(QStringView text, std::vector<std::uint8_t>& out) const;

private:
    UCollator* m_collator = nullptr;
};
