// The ICU collator behind the tables' text order.
#include "storage/Collation.h"

#include <QLocale>
#include <unicode/ucol.h>
#include <unicode/utypes.h>

namespace {

// The user's locale orders names; the bare "C" locale (as on a server) would order them
// by code point, so the root order of the world's scripts stands in for it.
QByteArray CollationLocaleName()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QByteArrayLiteral("en_US");
    return system.name().toLatin1();
}

const UChar* Chars(QStringView text)
{
    return reinterpret_cast<const UChar*>(text.utf16());
}

} // namespace

Collation::Collation()
{
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open(CollationLocaleName().constData(), &status);
    if (U_FAILURE(status) || !m_collator) {
        status = U_ZERO_ERROR;
        m_collator = ucol_open("", &status);
    }
    if (U_FAILURE(status) || !m_collator)
        qFatal("The collation data of ICU cannot be opened: %s", u_errorName(status));
}

Collation::~Collation()
{
    ucol_close(m_collator);
}

int Collation::Compare(QStringView a, QStringView b) const
{
    return ucol_strcoll(m_collator, Chars(a), int32_t(a.size()), Chars(b), int32_t(b.size()));
}

void Collation::AppendKey(QStringView text, std::vector<std::uint8_t>& out) const
{
    const size_t start = out.size();
    out.resize(start + size_t(text.size()) * 4 + 16);
    int32_t length = ucol_getSortKey(m_collator, Chars(text), int32_t(text.size()),
                                     out.data() + start, int32_t(out.size() - start));
    if (size_t(length) > out.size() - start) {
        out.resize(start + size_t(length));
        length = ucol_getSortKey(m_collator, Chars(text), int32_t(text.size()), out.data() + start,
                                 length);
    }
    out.resize(start + size_t(length)); // the key's length counts its closing 0 byte
}
