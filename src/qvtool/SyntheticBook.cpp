// Synthetic book generation from fixed word lists and a seeded generator; the same
// options always give the same book.
#include "qvtool/SyntheticBook.h"

#include <QDate>
#include <QStringList>
#include <random>

namespace {

const char* const kGivenNames[] = {"James",   "Mary",  "John",    "Patricia",  "Robert", "Jennifer",
                                   "Michael", "Linda", "William", "Elizabeth", "David",  "Barbara",
                                   "Richard", "Susan", "Joseph",  "Jessica",   "Thomas", "Sarah",
                                   "Charles", "Karen", "Anna",    "Lukas",     "Sofia",  "Mateo",
                                   "Chloé",   "Zoë",   "Björn",   "Inés"};
const char* const kSurnames[] = {
    "Smith",    "Johnson",   "Williams", "Brown",     "Jones",    "Garcia",   "Miller",
    "Davis",    "Rodriguez", "Martinez", "Hernandez", "Lopez",    "Gonzalez", "Wilson",
    "Anderson", "Thomas",    "Taylor",   "Moore",     "Jackson",  "Martin",   "Lee",
    "O'Brien",  "Müller",    "Dubois",   "van Dijk",  "Nakamura", "Kowalski"};
const char* const kCjkSurnames[] = {"王", "李", "张", "刘",   "陈",   "杨",  "黄",
                                    "赵", "吴", "周", "欧阳", "司马", "上官"};
const char* const kCjkGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊",   "军", "洋",
                                 "勇", "艳", "杰", "娟", "涛", "明", "超", "秀英", "华", "建国"};
const char* const kOrgWords[] = {"Acme",      "Globex",     "Initech",   "Umbrella", "Stark",
                                 "Wayne",     "Hooli",      "Vandelay",  "Soylent",  "Tyrell",
                                 "Cyberdyne", "Wonka",      "Gringotts", "Oceanic",  "Pied Piper",
                                 "Aperture",  "Black Mesa", "Monarch",   "北京",     "上海",
                                 "华信",      "东方"};
const char* const kOrgKinds[] = {"Industries", "Ltd",          "GmbH",     "Trading",
                                 "Consulting", "Labs",         "Holdings", "Logistics",
                                 "Media",      "科技有限公司", "贸易公司"};
const char* const kStreets[] = {"Main Street", "Oak Avenue",   "Elm Road", "Harbour Lane",
                                "King's Way",  "Station Road", "长安街",   "南京路"};
const char* const kCities[] = {"Springfield", "Riverton", "Lakeside", "Hamburg",
                               "Lyon",        "Osaka",    "北京",     "上海"};
const char* const kMemos[] = {
    "Met at the trade fair.",     "Prefers e-mail.",
    "Call after 5 pm.",           "Birthday card every year.\r\nLikes tea.",
    "Old school friend.",         "客户经理",
    "Sends a \"thank you\" note."};
const char* const kPositions[] = {"Manager",  "Engineer", "Sales",  "Director", "Accountant",
                                  "Designer", "经理",     "工程师", ""};

template <typename T, size_t N> QString Pick(std::mt19937& rng, const T (&words)[N])
{
    return QString::fromUtf8(words[rng() % N]);
}

bool Chance(std::mt19937& rng, int percent)
{
    return int(rng() % 100) < percent;
}

QString Digits(std::mt19937& rng, int count)
{
    QString digits;
    for (int i = 0; i < count; ++i)
        digits += QChar(u'0' + int(rng() % 10));
    return digits;
}

QString Phone(std::mt19937& rng)
{
    return QStringLiteral("+%1 %2 %3").arg(1 + rng() % 90).arg(Digits(rng, 3), Digits(rng, 7));
}

QString Ascii(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.unicode() < 128 && c.isLetter())
            out += c.toLower();
    return out.isEmpty() ? QStringLiteral("contact") : out;
}

} // namespace

void GenerateSyntheticBook(TCardData& data, const SyntheticBookOptions& options)
{
    std::mt19937 rng(options.seed);
    const int orgCount = options.orgs >= 0 ? options.orgs : options.entries / 10;
    TableView& agents = data.AgentDataSet;
    TableView& names = data.NameDataSet;
    agents.DisableControls();
    names.DisableControls();
    agents.EmptyDataSet();
    names.EmptyDataSet();

    QStringList companies;
    agents.AppendRecord({0, QString()});
    for (int i = 0; i < orgCount; ++i) {
        const QString company =
            QStringLiteral("%1 %2 %3").arg(Pick(rng, kOrgWords), Pick(rng, kOrgKinds)).arg(i + 1);
        companies << company;
        agents.AppendRecord({2001 + i, company,
                             QStringLiteral("%1 %2, %3")
                                 .arg(1 + rng() % 300)
                                 .arg(Pick(rng, kStreets), Pick(rng, kCities)),
                             Digits(rng, 5), Phone(rng), Phone(rng),
                             QStringLiteral("info@%1.example.com").arg(Ascii(company)),
                             Chance(rng, 20) ? Pick(rng, kMemos) : QString(), QVariant(),
                             QStringLiteral("https://www.%1.example.com").arg(Ascii(company))});
    }

    const QDate firstBirthday(1940, 1, 1);
    for (int i = 0; i < options.entries; ++i) {
        QVariantList v(29);
        const bool yellow = orgCount > 0 && Chance(rng, options.yellowPercent);
        const int org =
            orgCount > 0 && (yellow || Chance(rng, 70)) ? int(rng() % quint32(orgCount)) : -1;
        v[0] = 2001 + i;
        if (yellow) {
            v[1] = v[2] = companies[org];
        } else if (Chance(rng, 25)) {
            const QString surname = Pick(rng, kCjkSurnames);
            const QString given = Pick(rng, kCjkGiven);
            v[1] = surname + given;
            v[2] = surname;
            v[4] = given;
        } else {
            const QString surname = Pick(rng, kSurnames);
            const QString given = Pick(rng, kGivenNames);
            const QString middle =
                Chance(rng, 10) ? QString(QChar(u'A' + int(rng() % 26))) : QString();
            v[1] =
                middle.isEmpty() ? given + u' ' + surname : given + u' ' + middle + u' ' + surname;
            v[2] = surname;
            v[3] = middle;
            v[4] = given;
            v[8] = QStringLiteral("%1.%2@example.org").arg(Ascii(given), Ascii(surname));
        }
        if (!yellow) {
            v[5] = Pick(rng, kPositions);
            v[6] = QStringLiteral("%1 %2, %3")
                       .arg(1 + rng() % 500)
                       .arg(Pick(rng, kStreets), Pick(rng, kCities));
            v[7] = Digits(rng, 5);
            v[9] = Phone(rng);
            if (Chance(rng, 60))
                v[11] = Phone(rng);
            if (Chance(rng, 70))
                v[13] = firstBirthday.addDays(rng() % 23000);
            if (Chance(rng, 20))
                v[14] = Pick(rng, kMemos);
            if (Chance(rng, 40))
                v[24] = Phone(rng);
        }
        v[16] = org >= 0 ? 2001 + org : 0;
        v[17] = 0;
        const int categories = std::max(options.categories, 0);
        for (int slot = 0; slot < 4; ++slot) {
            const int share = slot == 0 ? 70 : 15;
            v[18 + slot] = categories > 0 && Chance(rng, share)
                               ? 1001 + int(rng() % quint32(categories))
                               : 1000;
        }
        v[23] = false;
        v[26] = yellow;
        v[27] = 0;
        names.AppendRecord(v);
    }
    names.EnableControls();
    agents.EnableControls();
    names.First();
}
