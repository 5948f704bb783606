// orvanta-dump: reads one of the program's files with the program's own
// reader and prints it as JSON, or rewrites it with the program's writer.
//
//   orvanta-dump FILE             print FILE as JSON on standard output
//   orvanta-dump --rewrite IN OUT read IN, write OUT in the current version
//
// A file that the reader refuses gives the reader's message on standard
// error and exit status 1; wrong usage gives status 2.
//
// Each file kind is one entry of FileKinds: its extensions, a function that
// reads a file and returns its JSON, and, where the program writes that kind,
// a function that reads and writes it again.
#include <charconv>
#include <exception>
#include <memory>
#include <stdexcept>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include "core/files/collectionfile.h"
#include "core/model/mainstate.h"
#include "dump/dumpio.h"
#include "dump/dumpprices.h"
#include "dump/dumpspot.h"
#include "dump/dumpstructures.h"
#include "dump/jsonstream.h"
#include "platform/uiservices.h"

namespace {

// The reader tells the user about some refusals through the message box;
// here such a message is the error to report.
class tDumpUI : public platform::UserInterface {
public:
    QStringList Messages;
    platform::MessageResult showMessage(const platform::MessageRequest &request) override
    {
        Messages << request.Text;
        platform::MessageResult r;
        r.Value = request.Buttons.empty() ? 0 : request.Buttons.front().Value;
        return r;
    }
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }
};

tDumpUI *DumpUI = nullptr;

[[noreturn]] void Refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

// ---------------------------------------------------------------- values

// A single as its shortest decimal form, so 24.26 prints as 24.26.
double SingleValue(float f)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, f);
    return QString::fromLatin1(buf, res.ptr - buf).toDouble();
}

// ---------------------------------------------------------------- collection

void LoadCollectionOrThrow(tMainState &s, const QString &path)
{
    if (!QFileInfo::exists(path))
        Refuse(QStringLiteral("File not found"));
    const bool read = LoadDataFromFile(s, path, false);
    if (!DumpUI->Messages.isEmpty())
        Refuse(DumpUI->Messages.join(QLatin1Char('\n')));
    if (!read)
        Refuse(QStringLiteral("Not a collection file, or a version this program cannot read"));
}

// In key order, as printed.
std::vector<tJsonStream::tMember> SeriesMembers(const tnodeinfo &n)
{
    return {
        {"CoinShape", qint64(n.CoinShape)},
        {"CoinSubShape", qint64(n.CoinSubShape)},
        {"CoinType", qint64(n.CoinType)},
        {"Country", qint64(n.Country)},
        {"EntryCount", qint64(n.EntryCount)},
        {"FaceValueAmount", SingleValue(n.FaceValueAmount)},
        {"FaceValueCode", n.FaceValueCode},
        {"Favorite", n.Favorite},
        {"FontCode", qint64(n.FontCode)},
        {"GradeScale", qint64(n.GradeScale)},
        {"Measure1", SingleValue(n.Measure1)},
        {"Measure2", SingleValue(n.Measure2)},
        {"MoveOK", n.MoveOK},
        {"NodeMode", qint64(n.NodeMode)},
        {"NodeName", n.NodeName},
        {"Obverse", n.Obverse},
        {"PriceSource", qint64(n.PriceSource)},
        {"Reverse", n.Reverse},
        {"Themes", qint64(n.Themes)},
        {"UpdateOK", n.UpdateOK},
    };
}

// The tree without recursion: a series' sub-series ("ChildNodes", the first
// key in order) are printed before its own values, so each series stays on
// a stack of pending series until its last sub-series is done.
void PrintSeriesTree(tJsonStream &out, const tnodeinfo &root)
{
    struct tPending {
        const tnodeinfo *Node;
        size_t Next;
    };
    std::vector<tPending> pending;
    auto enter = [&](const tnodeinfo *n) {
        out.BeginObject();
        out.Key("ChildNodes");
        out.BeginArray();
        pending.push_back({n, 0});
    };
    enter(&root);
    while (!pending.empty()) {
        tPending &top = pending.back();
        if (top.Next < top.Node->ChildNodes.size()) {
            enter(top.Node->ChildNodes[top.Next++].get());
            continue;
        }
        const tnodeinfo *done = top.Node;
        pending.pop_back();
        out.EndArray();
        out.Members(SeriesMembers(*done));
        out.EndObject();
    }
}

// In key order, as printed.
std::vector<tJsonStream::tMember> CoinMembers(const tCoinInfo &c)
{
    return {
        {"BuyDate", qint64(c.BuyDate)},
        {"BuyLock", c.BuyLock},
        {"BuyPrice", MoneyText(c.BuyPrice)},
        {"CoinType", qint64(c.CoinType)},
        {"Comment", c.Comment},
        {"Folder", qint64(c.Folder ? c.Folder->CoinType : 0)},
        {"GM", c.GM},
        {"Grade", qint64(c.Grade)},
        {"Gradedby", c.Gradedby},
        {"Have", qint64(c.Have)},
        {"InBin", c.InBin},
        {"Inventory", qint64(c.Inventory)},
        {"Mint", c.Mint},
        {"MintError", c.MintError},
        {"Need", qint64(c.Need)},
        {"Notes", c.Notes},
        {"Obverse", c.Obverse},
        {"OtherImageNames", c.OtherImageNames},
        {"OtherImages", c.OtherImages},
        {"Receipt", c.Receipt},
        {"Reverse", c.Reverse},
        {"Sell", qint64(c.Sell)},
        {"SellDate", qint64(c.SellDate)},
        {"SellLock", c.SellLock},
        {"SellPrice", MoneyText(c.SellPrice)},
        {"Sold", qint64(c.Sold)},
        {"Stored", c.Stored},
        {"UDFstring", c.UDFstring},
        {"User1", c.User1},
        {"Variety", c.Variety},
        {"Year", qint64(c.Year)},
    };
}

void PrintTexts(tJsonStream &out, const QStringList &texts)
{
    out.BeginArray();
    for (const QString &t : texts)
        out.Value(t);
    out.EndArray();
}

// The collection is read whole first (a file the reader refuses prints
// nothing), then printed as it is walked: memory grows with the collection,
// never with the size of its text.
void DumpCollection(const QString &path, tJsonStream &out)
{
    tMainState s;
    LoadCollectionOrThrow(s, path);
    out.BeginObject();
    out.Key("content");
    out.BeginObject();
    // Keys in sorted order.
    out.Key("AutoAddStr");
    out.Value(s.AutoAddStr);
    out.Key("CoinList");
    out.BeginArray();
    for (const auto &c : s.CoinList) {
        out.BeginObject();
        out.Members(CoinMembers(*c));
        out.EndObject();
    }
    out.EndArray();
    out.Key("CoinSortOrder");
    out.BeginArray();
    for (int32_t key : s.CoinSortOrder)
        out.Value(qint64(key));
    out.EndArray();
    out.Key("ColumnLayout");
    out.Value(s.ColumnLayout);
    out.Key("EntireCollection");
    PrintSeriesTree(out, *s.EntireCollection);
    // The user scales 1..3 of both kinds, grades 0..40: what the file holds.
    out.Key("GradeTitles3D");
    out.BeginObject();
    const char *const kinds[] = {"Coins", "PaperMoney"};
    const char *const scales[] = {"1", "2", "3"};
    for (size_t kind = 0; kind < 2; ++kind) {
        out.Key(kinds[kind]);
        out.BeginObject();
        for (size_t scale = 1; scale <= 3; ++scale) {
            out.Key(scales[scale - 1]);
            out.BeginArray();
            for (size_t g = 1; g <= GradeSlots; ++g)
                out.Value(s.GradeTitles3D[kind][scale][g]);
            out.EndArray();
        }
        out.EndObject();
    }
    out.EndObject();
    out.Key("GradedByBox");
    PrintTexts(out, s.GradedByBoxItems);
    out.Key("MaxInventory");
    out.Value(qint64(s.MaxInventory));
    out.Key("StoredBox");
    PrintTexts(out, s.StoredBoxItems);
    out.Key("ThemeNames");
    out.BeginArray();
    for (const QString &t : s.ThemeNames)
        out.Value(t);
    out.EndArray();
    out.Key("UDFlist");
    out.BeginArray();
    for (const auto &f : s.UDFlist) {
        out.BeginObject();
        out.Members({
            {"BitByte", qint64(f->BitByte)},
            {"FieldLabel", f->FieldLabel},
            {"FieldType", qint64(f->FieldType)},
            {"ID", qint64(f->ID)},
            {"Length", qint64(f->Length)},
            {"Options", f->Options},
        });
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    out.Key("kind");
    out.Value(QStringLiteral("collection"));
    out.EndObject();
}

void RewriteCollection(const QString &in, const QString &out)
{
    auto s = std::make_unique<tMainState>();
    LoadCollectionOrThrow(*s, in);
    SaveCollectionFile(*s, out);
    // The tool ends right after: the system takes back the whole model at
    // once, which is far quicker than freeing its hundreds of thousands of
    // texts and nodes one by one.
    (void)s.release();
}

// ---------------------------------------------------------------- kinds

struct tFileKind {
    QStringList Extensions;   // upper case, with the dot
    // Prints the whole document ({"content": ..., "kind": ...}); throws,
    // before printing anything, for a file it refuses.
    void (*Dump)(const QString &path, tJsonStream &out);
    void (*Rewrite)(const QString &in, const QString &out);   // nullptr: not written by the program
};

const std::vector<tFileKind> &FileKinds()
{
    static const std::vector<tFileKind> kinds = {
        {{QStringLiteral(".OVD")}, DumpCollection, RewriteCollection},
    };
    return kinds;
}

const tFileKind &KindOf(const QString &path)
{
    const QString suffix = QLatin1Char('.') + QFileInfo(path).suffix().toUpper();
    for (const tFileKind &k : FileKinds())
        if (k.Extensions.contains(suffix))
            return k;
    Refuse(QStringLiteral("Unknown kind of file (by its extension)"));
}

int Usage()
{
    QTextStream(stderr) << "usage: orvanta-dump FILE | orvanta-dump --rewrite IN OUT\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    tDumpUI ui;
    DumpUI = &ui;
    platform::setUserInterface(&ui);
    const QStringList args = app.arguments().mid(1);
    // Files recognised by name or by a header of their own are handled by
    // their own units, which print their own errors.
    {
        QTextStream out(stdout), err(stderr);
        if (args.size() == 1 && IsStructureFile(args[0]))
            return DumpStructureFile(args[0], out, err);
        if (args.size() == 1 && IsSpotFile(args[0]))
            return DumpSpotFile(args[0], out, err);
        if (args.size() == 3 && args[0] == QLatin1String("--rewrite") && IsSpotFile(args[1]))
            return RewriteSpotFile(args[1], args[2], err);
        if (args.size() == 1 && IsPriceListFile(args[0]))
            return DumpPriceList(args[0], out, err);
        if (args.size() == 3 && args[0] == QLatin1String("--rewrite") && IsPriceListFile(args[1]))
            return RewritePriceListFile(args[1], args[2], err);
    }
    QString current;
    try {
        if (args.size() == 1 && !args[0].startsWith(QLatin1String("--"))) {
            current = args[0];
            tJsonStream out(stdout);
            KindOf(current).Dump(current, out);
            if (!out.Flush())
                Refuse(QStringLiteral("Cannot write the output"));
            return 0;
        }
        if (args.size() == 3 && args[0] == QLatin1String("--rewrite")) {
            current = args[1];
            const tFileKind &kind = KindOf(current);
            if (!kind.Rewrite)
                Refuse(QStringLiteral("The program does not write this kind of file"));
            kind.Rewrite(args[1], args[2]);
            return 0;
        }
        return Usage();
    } catch (const std::exception &e) {
        QTextStream(stderr) << "orvanta-dump: " << current << ": " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
