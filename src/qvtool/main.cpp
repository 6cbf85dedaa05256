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
#include "storage/DatabaseError.h"
#include "storage/Package.h"

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
             "  qvtool template BOOK.qvp --members DIR --default-org NAME\n";
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
    book.Surnames() = QStringLiteral("欧阳\r\n司马\r\n诸葛\r\n上官\r\n").toUtf8();
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
    const TreeFileResult tree = book.Tree().LoadTree(members);
    if (!tree) {
        Err() << tree.error << '\n';
        return kFailure;
    }
    QFile surnames(Package::MemberFilePath(members, QStringLiteral("surname.dff")));
    if (!surnames.open(QIODevice::ReadOnly)) {
        Err() << "Cannot open file \"" << surnames.fileName() << "\"\n";
        return kFailure;
    }
    book.Surnames() = surnames.readAll();
    book.Data().AgentDataSet.AppendRecord({0, args.options.value(QStringLiteral("default-org"))});
    return book.Save(args.positional.first()) ? 0 : kFailure;
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
        {QStringLiteral("generate"), Generate}, {QStringLiteral("list"), List},
        {QStringLiteral("info"), Info},         {QStringLiteral("tree"), Tree},
        {QStringLiteral("template"), Template},
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
