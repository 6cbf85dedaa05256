// qvtool: the command-line companion over the models, for scripting, checks and
// benchmarks. Failures print the message the application would show and exit 2.
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

#include "qvtool/SyntheticBook.h"
#include "qvtool/ToolBook.h"
#include "search/SearchController.h"
#include "storage/DatabaseError.h"

namespace {

constexpr int kUsageError = 1;
constexpr int kFailure = 2;

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err()
{
    static QTextStream err(stderr);
    return err;
}

// Options of the form --name VALUE or --flag, and the positional arguments.
struct Arguments
{
    QStringList positional;
    QMap<QString, QString> options;
    QSet<QString> flags;

    bool Has(const QString& name) const { return options.contains(name) || flags.contains(name); }
    int Int(const QString& name, int fallback, bool& ok) const
    {
        if (!options.contains(name))
            return fallback;
        bool parsed = false;
        const int value = options.value(name).toInt(&parsed);
        ok = ok && parsed;
        return value;
    }
};

Arguments Parse(const QStringList& args, const QSet<QString>& flagNames)
{
    Arguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(QStringLiteral("--"))) {
            const QString name = arg.mid(2);
            if (flagNames.contains(name))
                parsed.flags.insert(name);
            else if (i + 1 < args.size())
                parsed.options.insert(name, args[++i]);
            else
                parsed.options.insert(name, QString());
        } else {
            parsed.positional << arg;
        }
    }
    return parsed;
}

int Usage()
{
    Err() << "usage:\n"
             "  qvtool generate FILE --entries N [--orgs M] [--categories K] [--yellow-percent P] "
             "[--seed S]\n"
             "                  [--password PW]   (FILE.qvp: a package; otherwise FILE.names.dbf "
             "and FILE.agents.dbf)\n"
             "  qvtool list NAMES.dbf|BOOK.qvp [--password PW] [--filter EXPR] [--ignore-case] "
             "[--fields F1,F2,...] [--count]\n"
             "  qvtool info BOOK.qvp [--password PW]\n"
             "  qvtool tree BOOK.qvp [--password PW]\n"
             "  qvtool template BOOK.qvp --members DIR --default-org NAME\n"
             "  qvtool add BOOK.qvp [--password PW] FIELD=VALUE...   (Name=, or SurName=, "
             "GivenName=, MidName=;\n"
             "                  Company=ORG; Category=PATH; any other entry field)\n"
             "  qvtool search BOOK.qvp [--password PW] --text T [--logic AND|OR] LABEL...\n";
    return kUsageError;
}

bool IsPackage(const QString& file)
{
    return file.endsWith(QStringLiteral(".qvp"), Qt::CaseInsensitive);
}

// The categories of a synthetic book: about a third at the top, the others one level or
// two below, numbered from 1001 in the order they are made (as the entries' slots expect).
void AddSyntheticCategories(CTreeMT& tree, int count)
{
    static const char* const kNames[] = {"Family",    "Friends",    "Work",   "Clients",
                                         "Suppliers", "Neighbours", "School", "Club",
                                         "Doctors",   "同事",       "同学"};
    tree.CreateTemplateTree(QStringLiteral("All Entries"), QStringLiteral("Search Results"));
    std::vector<CTreeNode*> made;
    for (int i = 0; i < count; ++i) {
        CTreeNode* parent = i < (count + 2) / 3 ? tree.Root() : made[size_t(i / 3)];
        const QString name = QStringLiteral("%1 %2")
                                 .arg(QString::fromUtf8(kNames[i % std::size(kNames)]))
                                 .arg(i + 1);
        made.push_back(tree.AddCategory(parent, name));
    }
}

int Generate(const Arguments& args)
{
    if (args.positional.size() != 1 || !args.options.contains(QStringLiteral("entries")))
        return Usage();
    SyntheticBookOptions options;
    bool ok = true;
    options.entries = args.Int(QStringLiteral("entries"), options.entries, ok);
    options.orgs = args.Int(QStringLiteral("orgs"), options.orgs, ok);
    options.categories = args.Int(QStringLiteral("categories"), options.categories, ok);
    options.yellowPercent = args.Int(QStringLiteral("yellow-percent"), options.yellowPercent, ok);
    options.seed = quint32(args.Int(QStringLiteral("seed"), int(options.seed), ok));
    if (!ok || options.entries < 0) {
        Err() << "qvtool: the numbers of entries, orgs, categories, the yellow percent and the "
                 "seed must be whole numbers\n";
        return kUsageError;
    }
    const QString file = args.positional.first();
    if (!IsPackage(file)) {
        TCardData data;
        GenerateSyntheticBook(data, options);
        data.NameDataSet.SaveToFile(file + QStringLiteral(".names.dbf"));
        data.AgentDataSet.SaveToFile(file + QStringLiteral(".agents.dbf"));
        return 0;
    }
    ToolBook book(args.options.value(QStringLiteral("password")));
    GenerateSyntheticBook(book.Data(), options);
    AddSyntheticCategories(book.Tree(), options.categories);
    book.Edit().SetCompoundSurnames({QStringLiteral("欧阳"), QStringLiteral("司马"),
                                     QStringLiteral("诸葛"), QStringLiteral("上官")});
    return book.Save(file) ? 0 : kFailure;
}

QString Printed(FieldRef field)
{
    if (field.Type() == FieldType::Boolean && !field.IsNull())
        return field.AsBoolean() ? QStringLiteral("true") : QStringLiteral("false");
    return field.AsString();
}

int List(const Arguments& args)
{
    if (args.positional.size() != 1)
        return Usage();
    const QString file = args.positional.first();
    ToolBook book(args.options.value(QStringLiteral("password")));
    TCardData& data = book.Data();
    if (IsPackage(file)) {
        if (!book.Open(file))
            return kFailure;
    } else {
        data.NameReadDataSet.LoadFromFile(file);
        data.MakeWorkingViews();
    }
    TableView& view = data.NameDataSet;

    QStringList fields{QStringLiteral("Name")};
    if (args.options.contains(QStringLiteral("fields")))
        fields = args.options.value(QStringLiteral("fields")).split(u',', Qt::SkipEmptyParts);
    std::vector<int> columns;
    for (const QString& name : fields) {
        const int column = view.FieldIndex(name.trimmed());
        if (column < 0)
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name.trimmed()));
        columns.push_back(column);
    }

    view.SetFilterCaseInsensitive(args.flags.contains(QStringLiteral("ignore-case")));
    view.SetFilter(args.options.value(QStringLiteral("filter")));
    if (args.flags.contains(QStringLiteral("count"))) {
        Out() << view.RecordCount() << '\n';
        return 0;
    }
    for (view.First(); !view.Eof(); view.Next()) {
        QStringList values;
        for (int column : columns)
            values << Printed(FieldRef(view, column));
        Out() << values.join(u'\t') << '\n';
    }
    return 0;
}

int Info(const Arguments& args)
{
    if (args.positional.size() != 1)
        return Usage();
    ToolBook book(args.options.value(QStringLiteral("password")));
    if (!book.Open(args.positional.first()))
        return kFailure;
    int categories = 0;
    for (int i = 0; i < book.Tree().NodeCount(); ++i)
        if (book.Tree().NumberAtIndex(i).value_or(0) > CTreeMT::RootNumber)
            ++categories;
    Out() << "entries: " << book.Data().NameLookDataset.RecordCount() << '\n'
          << "orgs: " << book.Data().AgentLookDataSet.RecordCount() << '\n'
          << "categories: " << categories << '\n'
          << "fields: " << book.Data().NameDataSet.FieldCount() << '\n'
          << "encrypted: " << (book.Options().CurrentPassword.isEmpty() ? "no" : "yes") << '\n';
    return 0;
}

// The category tree as loaded: one line per node in absolute-index order, indented by one TAB
// per level as in "tree.dff", then a TAB and the node's category number.
int Tree(const Arguments& args)
{
    if (args.positional.size() != 1)
        return Usage();
    ToolBook book(args.options.value(QStringLiteral("password")));
    if (!book.Open(args.positional.first()))
        return kFailure;
    const CTreeMT& tree = book.Tree();
    for (int i = 0; i < tree.NodeCount(); ++i) {
        const CTreeNode* node = tree.NodeAtIndex(i);
        Out() << QString(node->Depth(), u'\t') << node->Text() << '\t' << node->Number() << '\n';
    }
    return 0;
}

// A template book: empty tables with the default org, and the tree and surname list made
// from the text files in the members folder.
int Template(const Arguments& args)
{
    const QString members = args.options.value(QStringLiteral("members"));
    if (args.positional.size() != 1 || members.isEmpty() ||
        !args.options.contains(QStringLiteral("default-org")))
        return Usage();
    ToolBook book;
    if (const QString error = book.LoadMembers(members); !error.isEmpty()) {
        Err() << error << '\n';
        return kFailure;
    }
    book.Data().AgentDataSet.AppendRecord({0, args.options.value(QStringLiteral("default-org"))});
    return book.Save(args.positional.first()) ? 0 : kFailure;
}

// The value of a FIELD=VALUE argument converted to the field's type; invalid when it does
// not read as one.
QVariant FieldValue(FieldType type, const QString& text)
{
    switch (type) {
    case FieldType::Integer: {
        bool ok = false;
        const int number = text.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case FieldType::Boolean:
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
            return false;
        return {};
    case FieldType::Date: {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return text;
}

// One entry added as the edit window adds it with OK: a new entry with empty category
// slots, the name through the name rule (or joined from the parts), the org linked by
// name, a category by its path, the other fields as given; a blank name with an org makes
// a yellow page entry. Prints the new entry's number.
int Add(const Arguments& args)
{
    if (args.positional.size() < 2)
        return Usage();
    // Set by the add itself, never from the command line.
    static const QStringList kManaged = {QStringLiteral("ClientID"), QStringLiteral("OrgID"),
                                         QStringLiteral("Group1"),   QStringLiteral("Group2"),
                                         QStringLiteral("Group3"),   QStringLiteral("Group4"),
                                         QStringLiteral("Yellow")};
    static const QStringList kParts = {QStringLiteral("SurName"), QStringLiteral("GivenName"),
                                       QStringLiteral("MidName")};

    ToolBook book(args.options.value(QStringLiteral("password")));
    TableView& entries = book.Data().NameDataSet;
    std::optional<QString> name;
    std::optional<QString> company;
    std::optional<QString> category;
    QMap<QString, QString> parts;
    std::vector<std::pair<int, QVariant>> values;
    for (const QString& arg : args.positional.mid(1)) {
        const qsizetype equals = arg.indexOf(u'=');
        const QString field = arg.left(equals);
        const QString value = arg.mid(equals + 1);
        if (equals <= 0) {
            Err() << "qvtool: expected FIELD=VALUE: " << arg << '\n';
            return kFailure;
        }
        if (field.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0) {
            name = value;
        } else if (field.compare(QStringLiteral("Company"), Qt::CaseInsensitive) == 0) {
            company = value;
        } else if (field.compare(QStringLiteral("Category"), Qt::CaseInsensitive) == 0) {
            category = value;
        } else {
            const int column = entries.FieldIndex(field);
            if (column < 0 || kManaged.contains(field, Qt::CaseInsensitive)) {
                Err() << "qvtool: unknown field: " << field << '\n';
                return kFailure;
            }
            const FieldDef& def = entries.Fields().At(column);
            const QVariant converted = FieldValue(def.type, value);
            if (!converted.isValid()) {
                Err() << "qvtool: not a value of " << def.name << ": " << value << '\n';
                return kFailure;
            }
            if (kParts.contains(def.name))
                parts.insert(def.name, value);
            else
                values.emplace_back(column, converted);
        }
    }

    const QString file = args.positional.first();
    if (!book.Open(file))
        return kFailure;
    CEditMT& edit = book.Edit();
    std::optional<qint32> categoryNumber;
    if (category) {
        const QString path =
            category->isEmpty() || category->endsWith(u'/') ? *category : *category + u'/';
        const int index = int(edit.CategoryPaths().indexOf(path));
        categoryNumber = index >= 0 ? edit.NumberAtIndex(index) : std::nullopt;
        if (!categoryNumber) {
            Err() << "qvtool: no such category: " << *category << '\n';
            return kFailure;
        }
    }

    edit.NewEntry();
    for (int slot = 1; slot <= 4; ++slot)
        edit.SetCategorySlot(slot, CEditMT::kEmptySlot);
    for (const auto& [column, value] : values)
        FieldRef(entries, column).SetValue(value);
    QString typed = name.value_or(QString());
    if (name) {
        bool nameChanged = true;
        bool partsChanged = false;
        edit.ApplyNameRule(typed, nameChanged, partsChanged);
    }
    // Parts given by hand win over those split from the name.
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        entries.FieldByName(it.key()).SetValue(it.value());
    if (!name && !parts.isEmpty()) {
        bool nameChanged = false;
        bool partsChanged = true;
        edit.ApplyNameRule(typed, nameChanged, partsChanged);
    }
    entries.FieldByName(u"Name").SetValue(typed);
    edit.LinkOrg(company.value_or(QString()));
    if (categoryNumber)
        edit.SetCategorySlot(1, *categoryNumber);

    if (typed.trimmed().isEmpty()) {
        if (entries.FieldByName(u"OrgID").AsInteger() == CEditMT::kDefaultOrg) {
            edit.Rollback();
            Err() << "qvtool: a blank entry (no name and no org) is not added\n";
            return kFailure;
        }
        // A yellow page entry stands for its org and carries the org's name.
        const QString org = company->trimmed();
        entries.FieldByName(u"Name").SetValue(org);
        entries.FieldByName(u"SurName").SetValue(org);
        entries.FieldByName(u"GivenName").Clear();
        entries.FieldByName(u"MidName").Clear();
        entries.FieldByName(u"Yellow").SetValue(true);
        edit.SetHasYellowEntries(true);
    } else {
        edit.AddInitial(entries.FieldByName(u"SurName").AsString());
    }
    const int clientId = entries.FieldByName(u"ClientID").AsInteger();
    edit.CommitEntry();
    if (!book.Save(file))
        return kFailure;
    Out() << clientId << '\n';
    return 0;
}

// The search window's Start Search with these field labels selected; prints the entry filter
// it built and the names it lists.
int SearchEntries(const Arguments& args)
{
    const QString logic = args.options.value(QStringLiteral("logic"), QStringLiteral("AND"));
    if (args.positional.size() < 2 || !args.options.contains(QStringLiteral("text")) ||
        (logic != QStringLiteral("AND") && logic != QStringLiteral("OR")))
        return Usage();
    ToolBook book(args.options.value(QStringLiteral("password")));
    if (!book.Open(args.positional.first()))
        return kFailure;
    book.Options().ReadAll(); // the field labels the application starts with
    TCardData& data = book.Data();
    CSearchMT search;
    search.SetTables(data.NameDataSet, data.AgentLookDataSet);

    SearchRequest request;
    request.result = SearchResult::Ok;
    request.logic = logic == QStringLiteral("OR") ? CSearchMT::Logic::Or : CSearchMT::Logic::And;
    request.text = args.options.value(QStringLiteral("text")).trimmed();
    request.fields = args.positional.mid(1);
    struct : SearchResultsView
    {
        void ShowSearchNode() override {}
        void ShowFoundEntries() override {}
    } noWindow;
    CommandLinePrompter prompter{QString()};
    SearchController(search, book.Options(), prompter).Finish(request, noWindow);

    TableView& names = data.NameDataSet;
    Out() << names.Filter() << '\n';
    for (names.First(); !names.Eof(); names.Next())
        Out() << names.FieldByName(u"Name").AsString() << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return Usage();
    const QString command = args.takeFirst();
    const std::map<QString, std::function<int(const Arguments&)>> commands{
        {QStringLiteral("generate"), Generate},
        {QStringLiteral("list"), List},
        {QStringLiteral("info"), Info},
        {QStringLiteral("tree"), Tree},
        {QStringLiteral("template"), Template},
        {QStringLiteral("add"), Add},
        {QStringLiteral("search"), SearchEntries},
    };
    const auto it = commands.find(command);
    if (it == commands.end())
        return Usage();
    try {
        const int code =
            it->second(Parse(args, {QStringLiteral("ignore-case"), QStringLiteral("count")}));
        Out().flush();
        return code;
    } catch (const DatabaseError& error) {
        Out().flush();
        Err() << error.Message() << '\n';
        return kFailure;
    }
}
