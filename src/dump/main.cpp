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
#include <stdexcept>

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "core/collectionfile.h"
#include "core/mainstate.h"
#include "dump/dumpio.h"
#include "dump/dumpprices.h"
#include "dump/dumpspot.h"
#include "dump/dumpstructures.h"
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
QJsonValue SingleJson(float f)
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

QJsonObject SeriesJson(const tnodeinfo &n)
{
    QJsonObject o;
    o[QStringLiteral("NodeName")] = n.NodeName;
    o[QStringLiteral("CoinType")] = n.CoinType;
    o[QStringLiteral("Country")] = n.Country;
    o[QStringLiteral("PriceSource")] = n.PriceSource;
    o[QStringLiteral("FaceValueCode")] = n.FaceValueCode;
    o[QStringLiteral("FaceValueAmount")] = SingleJson(n.FaceValueAmount);
    o[QStringLiteral("Obverse")] = n.Obverse;
    o[QStringLiteral("Reverse")] = n.Reverse;
    o[QStringLiteral("NodeMode")] = n.NodeMode;
    o[QStringLiteral("Favorite")] = n.Favorite;
    o[QStringLiteral("UpdateOK")] = n.UpdateOK;
    o[QStringLiteral("MoveOK")] = n.MoveOK;
    o[QStringLiteral("CoinShape")] = n.CoinShape;
    o[QStringLiteral("CoinSubShape")] = n.CoinSubShape;
    o[QStringLiteral("Measure1")] = SingleJson(n.Measure1);
    o[QStringLiteral("Measure2")] = SingleJson(n.Measure2);
    o[QStringLiteral("Themes")] = n.Themes;
    o[QStringLiteral("GradeScale")] = n.GradeScale;
    o[QStringLiteral("FontCode")] = n.FontCode;
    o[QStringLiteral("EntryCount")] = n.EntryCount;
    QJsonArray children;
    for (const auto &c : n.ChildNodes)
        children.append(SeriesJson(*c));
    o[QStringLiteral("ChildNodes")] = children;
    return o;
}

QJsonObject CoinJson(const tCoinInfo &c)
{
    QJsonObject o;
    o[QStringLiteral("CoinType")] = c.CoinType;
    o[QStringLiteral("Folder")] = c.Folder ? c.Folder->CoinType : 0;
    o[QStringLiteral("Year")] = c.Year;
    o[QStringLiteral("Mint")] = c.Mint;
    o[QStringLiteral("Variety")] = c.Variety;
    o[QStringLiteral("GM")] = c.GM;
    o[QStringLiteral("Comment")] = c.Comment;
    o[QStringLiteral("BuyLock")] = c.BuyLock;
    o[QStringLiteral("SellLock")] = c.SellLock;
    o[QStringLiteral("MintError")] = c.MintError;
    o[QStringLiteral("User1")] = c.User1;
    o[QStringLiteral("UDFstring")] = c.UDFstring;
    o[QStringLiteral("Grade")] = c.Grade;
    o[QStringLiteral("Have")] = c.Have;
    o[QStringLiteral("Need")] = c.Need;
    o[QStringLiteral("Sell")] = c.Sell;
    o[QStringLiteral("Sold")] = c.Sold;
    o[QStringLiteral("Gradedby")] = c.Gradedby;
    o[QStringLiteral("Stored")] = c.Stored;
    o[QStringLiteral("BuyDate")] = c.BuyDate;
    o[QStringLiteral("BuyPrice")] = MoneyText(c.BuyPrice);
    o[QStringLiteral("SellDate")] = c.SellDate;
    o[QStringLiteral("SellPrice")] = MoneyText(c.SellPrice);
    o[QStringLiteral("Notes")] = c.Notes;
    o[QStringLiteral("Obverse")] = c.Obverse;
    o[QStringLiteral("Reverse")] = c.Reverse;
    o[QStringLiteral("Receipt")] = c.Receipt;
    o[QStringLiteral("OtherImages")] = c.OtherImages;
    o[QStringLiteral("OtherImageNames")] = c.OtherImageNames;
    o[QStringLiteral("Inventory")] = c.Inventory;
    o[QStringLiteral("InBin")] = c.InBin;
    return o;
}

QJsonObject DumpCollection(const QString &path)
{
    tMainState s;
    LoadCollectionOrThrow(s, path);
    QJsonObject o;
    QJsonArray themes;
    for (const QString &t : s.ThemeNames)
        themes.append(t);
    o[QStringLiteral("ThemeNames")] = themes;
    // The user scales 1..3 of both kinds, grades 0..40: what the file holds.
    QJsonObject titles;
    const char *const kinds[] = {"Coins", "PaperMoney"};
    for (size_t kind = 0; kind < 2; ++kind) {
        QJsonObject scales;
        for (size_t scale = 1; scale <= 3; ++scale) {
            QJsonArray grades;
            for (size_t g = 1; g <= GradeSlots; ++g)
                grades.append(s.GradeTitles3D[kind][scale][g]);
            scales[QString::number(scale)] = grades;
        }
        titles[QString::fromLatin1(kinds[kind])] = scales;
    }
    o[QStringLiteral("GradeTitles3D")] = titles;
    o[QStringLiteral("AutoAddStr")] = s.AutoAddStr;
    o[QStringLiteral("ColumnLayout")] = s.ColumnLayout;
    o[QStringLiteral("CoinSortOrder")] =
        QJsonArray{s.CoinSortOrder[0], s.CoinSortOrder[1], s.CoinSortOrder[2]};
    QJsonArray fields;
    for (const auto &f : s.UDFlist) {
        QJsonObject fo;
        fo[QStringLiteral("ID")] = f->ID;
        fo[QStringLiteral("FieldType")] = f->FieldType;
        fo[QStringLiteral("FieldLabel")] = f->FieldLabel;
        fo[QStringLiteral("Length")] = f->Length;
        fo[QStringLiteral("Options")] = f->Options;
        fo[QStringLiteral("BitByte")] = f->BitByte;
        fields.append(fo);
    }
    o[QStringLiteral("UDFlist")] = fields;
    o[QStringLiteral("EntireCollection")] = SeriesJson(*s.EntireCollection);
    o[QStringLiteral("StoredBox")] = QJsonArray::fromStringList(s.StoredBoxItems);
    o[QStringLiteral("GradedByBox")] = QJsonArray::fromStringList(s.GradedByBoxItems);
    QJsonArray coins;
    for (const auto &c : s.CoinList)
        coins.append(CoinJson(*c));
    o[QStringLiteral("CoinList")] = coins;
    o[QStringLiteral("MaxInventory")] = s.MaxInventory;
    return o;
}

void RewriteCollection(const QString &in, const QString &out)
{
    tMainState s;
    LoadCollectionOrThrow(s, in);
    SaveCollectionFile(s, out);
}

// ---------------------------------------------------------------- kinds

struct tFileKind {
    const char *Name;
    QStringList Extensions;   // upper case, with the dot
    QJsonObject (*Dump)(const QString &path);
    void (*Rewrite)(const QString &in, const QString &out);   // nullptr: not written by the program
};

const std::vector<tFileKind> &FileKinds()
{
    static const std::vector<tFileKind> kinds = {
        {"collection", {QStringLiteral(".OVD")}, DumpCollection, RewriteCollection},
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
            const QJsonObject content = KindOf(current).Dump(current);
            QJsonObject doc;
            doc[QStringLiteral("kind")] = QString::fromLatin1(KindOf(current).Name);
            doc[QStringLiteral("content")] = content;
            QTextStream(stdout) << QJsonDocument(doc).toJson(QJsonDocument::Indented);
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
