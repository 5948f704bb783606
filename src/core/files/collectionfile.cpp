#include "core/files/collectionfile.h"

#include "core/collection/coinentries.h"
#include "core/collection/udffields.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <unordered_set>

#include "core/files/collectionsettings.h"
#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace {

// Versions at which the layout changed; each names the first version that
// stores the value.
enum : int32_t {
    VerThemes = 95462,
    VerFields = 95463,
    VerOtherImages = 95464,
    VerShapes = 95465,
    VerGradeTitles34 = 95466,
    VerPriceHundredths = 95467,
    VerMeasuresAsInt = 95468,   // 95468..95479: measures in ten-thousandths of a millimetre
    VerOldColumnBlock = 95469,  // 95469..95474
    VerSortKeys = 95470,
    VerFontCode = 95471,
    VerGradeTitles41 = 95472,   // also the first with today's 41 grade slots
    VerDropdowns = 95473,
    VerUpdateOK = 95474,
    VerColumnLayout = 95475,
    VerNodeModeBool = 95476,
    VerSellDate = 95477,
    VerColumnLayoutApplied = 95478,
    VerAutoAdd = 95479,
    VerFaceValue = 95480,       // also the first with single measures again
    VerProgramVersion = 95481,
    VerPriceSource = 95482,
    VerMoveOK = 95483,
    VerImageNames = 95484,
    VerInBin = 95485,
    VerNodeModeInt = 95486,
};

constexpr int OldGradeSlots = 34;

// The fewest bytes a record can take in any version (every value at its
// shortest encoding); used to refuse counts the rest of the file cannot hold.
constexpr qsizetype MinSeriesBytes = 15;
constexpr qsizetype MinFieldBytes = 10;
constexpr qsizetype MinStringBytes = 2;
constexpr qsizetype MinCoinBytes = 40;
constexpr qsizetype MinOldColumnBytes = 6;

void CheckCount(const ValueReader &r, int64_t count, qsizetype minBytes)
{
    if (count > 0 && count > r.Remaining() / minBytes)
        throw StreamReadError(StreamReadErrorText);
}

void Status(tMainState &s, const QString &text)
{
    Q_EMIT s.Events->SetStatusText(text);
}

// Prices are stored as whole hundredths within 32 bits: the reader takes
// nothing wider, so a larger amount is clamped rather than making the file
// unreadable. Halves go to the even hundredth.
int32_t PriceToHundredths(Money m)
{
    int64_t q = m / 100;
    const int64_t rem = m % 100;
    if (rem > 50 || (rem == 50 && (q & 1)))
        ++q;
    else if (rem < -50 || (rem == -50 && (q & 1)))
        --q;
    return static_cast<int32_t>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

// ---------------------------------------------------------------- writing

// The path of a repository picture below the repository, "/" between
// folders; "." and ".." and empty parts are dropped, so no entry of the
// bundle can point outside the folder it is unpacked into.
QString RepositoryRelativeName(const QString &stored)
{
    return RepositoryRest(stored);
}

// name, or name with " (k)" before its extension, whichever is free first.
QString FreeBundleName(const tBundlePictures &pictures, const QString &name)
{
    if (!pictures.ByName.contains(name.toCaseFolded()))
        return name;
    const int slash = static_cast<int>(name.lastIndexOf(QLatin1Char('/')));
    int dot = static_cast<int>(name.lastIndexOf(QLatin1Char('.')));
    if (dot <= slash + 1)
        dot = static_cast<int>(name.size());
    for (int k = 2;; ++k) {
        const QString candidate = name.left(dot) + QStringLiteral(" (%1)").arg(k) + name.mid(dot);
        if (!pictures.ByName.contains(candidate.toCaseFolded()))
            return candidate;
    }
}

QString BackupPath(const tMainState &s, const QString &path, tBundlePictures *pictures)
{
    if (!pictures)
        return path;
    const QString onDisk = platform::resolvePath(UnpackRepositoryPath(s, path));
    if (path.isEmpty() || !QFileInfo(onDisk).isFile())
        return QString();
    const bool inRepository = IsRepositoryPath(path);
    const QString source = QFileInfo(onDisk).canonicalFilePath();
    size_t at = 0;
    if (const auto it = pictures->BySource.constFind(source); it != pictures->BySource.constEnd()) {
        at = *it;  // the same file named again: packed once
    } else {
        QString name = inRepository ? RepositoryRelativeName(path) : platform::fileNamePart(onDisk);
        if (name.isEmpty())
            name = platform::fileNamePart(onDisk);
        name = FreeBundleName(*pictures, name);
        at = pictures->List.size();
        pictures->List.push_back({path, onDisk, name});
        pictures->ByName.insert(name.toCaseFolded(), at);
        pictures->BySource.insert(source, at);
    }
    if (inRepository)
        return QStringLiteral("R~") + QDir::separator() + QDir::toNativeSeparators(pictures->List[at].Name);
    return path;
}

QString BackupPathList(const tMainState &s, const QString &paths, tBundlePictures *imageFileList)
{
    if (!imageFileList)
        return paths;
    QStringList items = CommaTextSplit(paths);
    for (QString &p : items)
        p = BackupPath(s, p, imageFileList);
    return CommaTextJoin(items);
}

void WriteSeries(ValueWriter &w, const tnodeinfo &n)
{
    w.WriteString(n.NodeName);
    w.WriteInteger(n.CoinType);
    w.WriteInteger(n.ParentNode ? n.ParentNode->CoinType : 0);
    w.WriteInteger(n.PriceSource);
    w.WriteString(n.FaceValueCode);
    w.WriteSingle(n.FaceValueAmount);
    w.WriteString(n.Obverse);
    w.WriteString(n.Reverse);
    w.WriteInteger(n.NodeMode);
    w.WriteBoolean(n.Favorite);
    w.WriteBoolean(n.UpdateOK);
    w.WriteBoolean(n.MoveOK);
    w.WriteInteger(n.CoinShape);
    w.WriteInteger(n.CoinSubShape);
    w.WriteSingle(n.Measure1);
    w.WriteSingle(n.Measure2);
    w.WriteInteger(n.Themes);
    // The whole scale: masking it would turn scale 4 into the first scale.
    w.WriteInteger(n.GradeScale);
    w.WriteInteger(n.FontCode);
}

void WriteCoin(ValueWriter &w, const tMainState &s, const tCoinInfo &c, tBundlePictures *imageFileList)
{
    w.WriteInteger(c.CoinType);
    w.WriteInteger(c.Year);
    w.WriteString(c.Mint);
    w.WriteString(c.Variety);
    w.WriteString(c.GM);
    w.WriteString(c.Comment);
    w.WriteBoolean(c.BuyLock);
    w.WriteBoolean(c.SellLock);
    w.WriteBoolean(c.MintError);
    w.WriteBoolean(c.User1);
    w.WriteString(c.UDFstring);
    w.WriteInteger(c.Grade);
    w.WriteInteger(c.Have);
    w.WriteInteger(c.Need);
    w.WriteInteger(c.Sell);
    w.WriteInteger(c.Sold);
    w.WriteString(c.Gradedby);
    w.WriteString(c.Stored);
    w.WriteInteger(c.BuyDate);
    w.WriteInt64(PriceToHundredths(c.BuyPrice));
    w.WriteInteger(c.SellDate);
    w.WriteInt64(PriceToHundredths(c.SellPrice));
    w.WriteString(c.Notes);
    if (imageFileList) {
        w.WriteString(BackupPath(s, c.Obverse, imageFileList));
        w.WriteString(BackupPath(s, c.Reverse, imageFileList));
        w.WriteString(BackupPath(s, c.Receipt, imageFileList));
        w.WriteString(BackupPathList(s, c.OtherImages, imageFileList));
    } else {
        w.WriteString(c.Obverse);
        w.WriteString(c.Reverse);
        w.WriteString(c.Receipt);
        w.WriteString(c.OtherImages);
    }
    w.WriteString(c.OtherImageNames);
    w.WriteInteger(c.Inventory);
    w.WriteBoolean(c.InBin);
}

void PrefetchTexts(const tCoinInfo &c)
{
    for (const QString *t : {&c.Mint, &c.Variety, &c.GM, &c.Comment, &c.UDFstring, &c.Gradedby, &c.Stored, &c.Notes,
                             &c.Obverse, &c.Reverse, &c.Receipt, &c.OtherImages, &c.OtherImageNames})
        __builtin_prefetch(t->constData());
}

void MarkSaved(tMainState &s)
{
    s.DataModified = false;
    Q_EMIT s.Events->SetMainCaption();
}

// ---------------------------------------------------------------- reading

// One series record as read, before it is placed in the tree.
struct tloadinfo {
    int32_t CoinType = 0;
    int32_t PriceSource = 0;
    QString FaceValueCode;
    float FaceValueAmount = 0;
    QString NodeName;
    int32_t ParentFolder = 0;
    QString Obverse;
    QString Reverse;
    uint8_t NodeMode = 0;
    bool Favorite = false;
    bool UpdateOK = false;
    bool MoveOK = false;
    uint8_t CoinShape = 0;
    uint8_t CoinSubShape = 0;
    float Measure1 = 0;
    float Measure2 = 0;
    int32_t Themes = 0;
    int32_t GradeScale = 0;
    uint8_t FontCode = 0;
};

// Files of 95468..95479 keep measures in ten-thousandths of a millimetre;
// anything outside 0..999 mm is a damaged value and counts as no measure.
float MeasureFromTenThousandths(int32_t v)
{
    if (v < 0 || v > 9990000)
        return 0;
    return static_cast<float>(v / 10000.0);
}

tloadinfo ReadSeries(ValueReader &r, int32_t ver)
{
    tloadinfo li;
    li.NodeName = r.ReadString();
    li.CoinType = r.ReadInteger();
    li.ParentFolder = r.ReadInteger();
    if (ver >= VerPriceSource)
        li.PriceSource = r.ReadInteger();
    if (ver >= VerFaceValue) {
        li.FaceValueCode = r.ReadString();
        li.FaceValueAmount = r.ReadSingle();
    } else {
        r.ReadInteger();  // older files hold one integer in place of the face value; not used
    }
    li.Obverse = r.ReadString();
    li.Reverse = r.ReadString();
    if (ver >= VerNodeModeInt) {
        li.NodeMode = static_cast<uint8_t>(r.ReadInteger());
    } else if (ver >= VerNodeModeBool) {
        li.NodeMode = r.ReadBoolean() ? NodeModeCountry : NodeModeRegular;
    } else {
        // Older files had no mode; a series right below the root stood for
        // a country.
        r.ReadString();
        li.NodeMode = li.ParentFolder == RootCoinType ? NodeModeCountry : NodeModeRegular;
    }
    li.Favorite = r.ReadBoolean();
    li.UpdateOK = ver >= VerUpdateOK ? r.ReadBoolean() : true;
    li.MoveOK = ver >= VerMoveOK ? r.ReadBoolean() : true;
    if (ver >= VerShapes) {
        li.CoinShape = static_cast<uint8_t>(r.ReadInteger());
        li.CoinSubShape = static_cast<uint8_t>(r.ReadInteger());
        if (ver >= VerMeasuresAsInt && ver < VerFaceValue) {
            li.Measure1 = MeasureFromTenThousandths(r.ReadInteger());
            li.Measure2 = MeasureFromTenThousandths(r.ReadInteger());
        } else {
            li.Measure1 = r.ReadSingle();
            li.Measure2 = r.ReadSingle();
        }
        if (ver == VerShapes) {
            // Two values only this version stores; not used.
            r.ReadInteger();
            r.ReadSingle();
        }
    }
    if (ver >= VerThemes)
        li.Themes = r.ReadInteger();
    if (ver >= VerGradeTitles34)
        li.GradeScale = r.ReadInteger();
    if (ver >= VerFontCode) {
        const int32_t font = r.ReadInteger();
        li.FontCode = font > 255 ? 0 : static_cast<uint8_t>(font);
    }
    return li;
}

using tSeriesIndex = QHash<int32_t, tnodeinfo *>;

// Places a series record: an existing series of that number takes its
// properties and keeps its place and children; otherwise a new series hangs
// below the series of the record's parent number, or below the root.
void LinkSeries(tMainState &s, tSeriesIndex &index, const tloadinfo &li)
{
    tnodeinfo *node = index.value(li.CoinType);
    if (!node) {
        tnodeinfo *parent = index.value(li.ParentFolder, s.EntireCollection.get());
        node = AddChildNode(parent, li.CoinType);
        index.insert(li.CoinType, node);
    }
    node->NodeName = li.NodeName;
    node->PriceSource = li.PriceSource;
    node->FaceValueCode = li.FaceValueCode;
    node->FaceValueAmount = li.FaceValueAmount;
    node->Obverse = li.Obverse;
    node->Reverse = li.Reverse;
    node->NodeMode = li.NodeMode;
    node->Favorite = li.Favorite;
    node->UpdateOK = li.UpdateOK;
    node->MoveOK = li.MoveOK;
    node->CoinShape = li.CoinShape;
    node->CoinSubShape = li.CoinSubShape;
    node->Measure1 = li.Measure1;
    node->Measure2 = li.Measure2;
    node->Themes = li.Themes;
    node->GradeScale = static_cast<uint8_t>(li.GradeScale);
    node->FontCode = li.FontCode;
    node->EntryCount = 0;
    node->DateRangeMin = 0;
    node->DateRangeMax = 0;
    node->GlyphStats = 0;
}

Money ReadPrice(ValueReader &r, int32_t ver)
{
    if (ver >= VerPriceHundredths)
        return static_cast<Money>(r.ReadInteger()) * (MoneyScale / 100);
    return r.ReadCurrency();
}

std::unique_ptr<tCoinInfo> ReadCoin(ValueReader &r, int32_t ver)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = r.ReadInteger();
    c->Year = r.ReadInteger();
    c->Mint = r.ReadString();
    c->Variety = r.ReadString();
    c->GM = r.ReadString();
    c->Comment = r.ReadString();
    c->BuyLock = r.ReadBoolean();
    c->SellLock = r.ReadBoolean();
    c->MintError = r.ReadBoolean();
    c->User1 = r.ReadBoolean();
    if (ver >= VerFields)
        c->UDFstring = r.ReadString();
    c->Grade = r.ReadInteger();
    if (ver < VerGradeTitles41)
        c->Grade = OldGradeToSlot(c->Grade);
    c->Have = r.ReadInteger();
    c->Need = r.ReadInteger();
    c->Sell = r.ReadInteger();
    c->Sold = r.ReadInteger();
    c->Gradedby = r.ReadString();
    c->Stored = r.ReadString();
    c->BuyDate = r.ReadInteger();
    c->BuyPrice = ReadPrice(r, ver);
    if (ver >= VerSellDate)
        c->SellDate = r.ReadInteger();
    c->SellPrice = ReadPrice(r, ver);
    c->Notes = r.ReadString();
    // Picture and receipt paths name one entry's files: rarely worth sharing.
    c->Obverse = r.ReadUniqueString();
    c->Reverse = r.ReadUniqueString();
    c->Receipt = r.ReadUniqueString();
    if (ver >= VerOtherImages)
        c->OtherImages = r.ReadUniqueString();
    if (ver >= VerImageNames)
        c->OtherImageNames = r.ReadString();
    c->Inventory = r.ReadInteger();
    if (ver >= VerInBin)
        c->InBin = r.ReadBoolean();
    return c;
}

QStringList ReadDropdown(ValueReader &r)
{
    const int32_t n = r.ReadInteger();
    CheckCount(r, n, MinStringBytes);
    QStringList items;
    for (int32_t i = 0; i < n; ++i) {
        QString t = r.ReadString();
        // An item that begins with the escape character carries a two-character
        // marker before its text.
        if (t.startsWith(QChar(27)))
            t.remove(0, 2);
        items << t;
    }
    return items;
}

QString NewerVersionMessage(const QString &fileVersion)
{
    return QStringLiteral("This collection was created with a newer version of Orvanta (") + fileVersion +
           QStringLiteral(")\nReverting to an older version of the program can cause issues when reading collection "
                          "files created on a newer version of the program.\nPlease update Orvanta to the latest "
                          "version before attempting to open this collection");
}

enum class tReadOutcome { Unreadable, Refused, Read };

class tCollectionReader {
public:
    tCollectionReader(tMainState &s, ValueReader &r, bool merge) : s_(s), r_(r), merge_(merge) {}

    tReadOutcome Read(tSeriesIndex &index, QString &keptLayout);
    // Why Read found the file unreadable.
    const QString &Failure() const { return failure_; }
    qsizetype Position() const { return r_.Position(); }
    qsizetype Size() const { return r_.Position() + r_.Remaining(); }

private:
    void ReadSettings(QString &keptLayout);
    void ReadFields();
    void ReadCoins(tSeriesIndex &index);

    tMainState &s_;
    ValueReader &r_;
    bool merge_;
    int32_t ver_ = 0;
    QString failure_;
};

tReadOutcome tCollectionReader::Read(tSeriesIndex &index, QString &keptLayout)
{
    try {
        r_.ReadListBegin();
        ver_ = r_.ReadInteger();
    } catch (const StreamReadError &) {
        failure_ = r_.Position() + r_.Remaining() == 0 ? QStringLiteral("The file is empty.")
                                                      : QStringLiteral("The file is not an Orvanta collection.");
        return tReadOutcome::Unreadable;
    }
    if (ver_ >= VerProgramVersion) {
        const QString fileProgram = r_.ReadString();
        if (IsNewerVersion(fileProgram, s_.OVversionString)) {
            ShowEpicMessage(NewerVersionMessage(fileProgram), QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
            return tReadOutcome::Refused;
        }
    }
    if (ver_ < OldestCollectionFileVersion || ver_ > NewestCollectionFileVersion) {
        failure_ = QStringLiteral("The file has version %1; this program reads versions %2 to %3.")
                       .arg(ver_)
                       .arg(OldestCollectionFileVersion)
                       .arg(NewestCollectionFileVersion);
        return tReadOutcome::Unreadable;
    }

    const int32_t seriesCount = r_.ReadInteger();
    CheckCount(r_, seriesCount, MinSeriesBytes);
    LogEntry(QStringLiteral("Folder count=") + QString::number(seriesCount));

    ReadSettings(keptLayout);
    ReadFields();

    Status(s_, QStringLiteral("Loading series..."));
    Q_EMIT s_.Events->ProcessEvents();
    index.reserve(index.size() + seriesCount);
    for (int32_t i = 0; i < seriesCount; ++i) {
        LinkSeries(s_, index, ReadSeries(r_, ver_));
        if ((i + 1) % 512 == 0)
            Q_EMIT s_.Events->ProcessEvents();
    }
    LogEntry(QStringLiteral("Series loaded"));

    FindQuarterNode(s_);
    Q_EMIT s_.Events->HideCoinPages();

    if (ver_ >= VerDropdowns) {
        QStringList stored = ReadDropdown(r_);
        QStringList gradedBy = ReadDropdown(r_);
        if (!merge_) {
            s_.StoredBoxItems = std::move(stored);
            s_.GradedByBoxItems = std::move(gradedBy);
        }
    } else if (!merge_) {
        ClearStoredBox(s_);
        ClearGradedByBox(s_);
    }
    LogEntry(QStringLiteral("Dropdowns loaded"));

    ReadCoins(index);

    r_.ReadListEnd();
    return tReadOutcome::Read;
}

void tCollectionReader::ReadSettings(QString &keptLayout)
{
    if (ver_ >= VerThemes) {
        for (QString &name : s_.ThemeNames) {
            QString t = r_.ReadString();
            if (!merge_)
                name = std::move(t);
        }
    } else {
        SetDefaultThemeNames(s_);
    }
    Q_EMIT s_.Events->RefreshThemeButtons();
    LogEntry(QStringLiteral("Themes loaded"));

    // Titles stay in their slots: older files are not moved to the new grade
    // numbering, the user re-enters them.
    const int storedGrades = ver_ >= VerGradeTitles41 ? GradeSlots : ver_ >= VerGradeTitles34 ? OldGradeSlots : 0;
    for (int kind = 0; kind < 2; ++kind)
        for (int scale = FirstUserGradeScale; scale <= LastUserGradeScale; ++scale) {
            auto &titles = s_.GradeTitles3D[static_cast<size_t>(kind)][static_cast<size_t>(scale)];
            for (int g = 0; g < storedGrades; ++g) {
                QString t = r_.ReadString();
                if (!merge_)
                    titles[static_cast<size_t>(g + 1)] = FitGradeTitle(t);
            }
            if (!merge_)
                for (int g = storedGrades; g < GradeSlots; ++g)
                    titles[static_cast<size_t>(g + 1)].clear();
        }
    LogEntry(QStringLiteral("Grades loaded"));

    s_.AutoAddStr = ver_ >= VerAutoAdd ? r_.ReadString() : QString();

    if (ver_ >= VerColumnLayout) {
        QString layout = r_.ReadString();
        if (!merge_ && ver_ >= VerColumnLayoutApplied)
            keptLayout = std::move(layout);
    } else if (!merge_) {
        Q_EMIT s_.Events->ResetCoinGridColumnWidths();
    }
    if (!merge_)
        s_.ColumnLayout = keptLayout;
    if (ver_ >= VerOldColumnBlock && ver_ < VerColumnLayout) {
        const int32_t n = r_.ReadInteger();
        CheckCount(r_, n, MinOldColumnBytes);
        for (int32_t i = 0; i < n * 3; ++i)
            r_.ReadInteger();
    }
    LogEntry(QStringLiteral("Column order loaded"));

    if (ver_ >= VerSortKeys) {
        for (int32_t &key : s_.CoinSortOrder) {
            const int32_t k = r_.ReadInteger();
            if (!merge_)
                key = k;
        }
    } else if (!merge_) {
        s_.CoinSortOrder = {2, 3, 4};
    }
    LogEntry(QStringLiteral("Sort order loaded"));
}

void tCollectionReader::ReadFields()
{
    if (ver_ >= VerFields) {
        const int64_t count = r_.ReadInt64();
        CheckCount(r_, count, MinFieldBytes);
        if (!merge_)
            s_.UDFlist.clear();
        for (int64_t i = 0; i < count; ++i) {
            auto f = std::make_unique<tUDFfield>();
            f->ID = static_cast<int32_t>(i + 1);
            f->FieldType = r_.ReadInteger();
            f->FieldLabel = r_.ReadString();
            f->Length = BoundUDFLength(f->FieldType, r_.ReadInteger());
            f->Options = r_.ReadString();
            f->BitByte = static_cast<uint8_t>(r_.ReadInteger());
            if (!merge_)
                s_.UDFlist.push_back(std::move(f));
        }
    }
    LogEntry(QStringLiteral("UDF structure loaded"));
    // The controls are made afresh for the fields now defined; the old ones
    // go first so that a merge does not show them twice.
    Q_EMIT s_.Events->ClearUDFControls();
    Q_EMIT s_.Events->CreateUDFobjects();
}

void tCollectionReader::ReadCoins(tSeriesIndex &index)
{
    if (!merge_)
        s_.MaxInventory = 0;
    const int64_t count = r_.ReadInt64();
    CheckCount(r_, count, MinCoinBytes);
    LogEntry(QStringLiteral("Coin count=") + QString::number(count));
    if (count > 0) {
        Status(s_, QStringLiteral("Loading coins..."));
        s_.CoinList.reserve(s_.CoinList.size() + static_cast<size_t>(count));
        tnodeinfo *root = s_.EntireCollection.get();
        // Entries of one series are stored together: the last series found
        // is nearly always the next one's too.
        int32_t lastType = 0;
        tnodeinfo *lastFolder = nullptr;
        for (int64_t k = 1; k <= count; ++k) {
            if (k == 1)
                Q_EMIT s_.Events->ShowProgress(true);
            Q_EMIT s_.Events->SetProgress(static_cast<int>(k), static_cast<int>(count));
            Q_EMIT s_.Events->ProcessEvents();
            std::unique_ptr<tCoinInfo> c = ReadCoin(r_, ver_);
            if (merge_) {
                c->Inventory = AssignInventory(s_);
            } else if (c->Inventory > s_.MaxInventory) {
                s_.MaxInventory = c->Inventory;
            }
            if (!lastFolder || c->CoinType != lastType) {
                lastType = c->CoinType;
                lastFolder = index.value(c->CoinType, root);
            }
            c->Folder = lastFolder;
            ++c->Folder->EntryCount;
            s_.CoinList.push_back(std::move(c));
        }
    }
    LogEntry(QStringLiteral("Coins Loaded"));
}

// Everything that frees or replaces content before the file is read.
void EmptyCollection(tMainState &s)
{
    Q_EMIT s.Events->CollectionReplaced();
    s.ClearSeries();
    s.EntireCollection->NodeName = QStringLiteral("Entire Collection");
    Q_EMIT s.Events->ClearClickTrackList();
    s.ClearCoins();
    Q_EMIT s.Events->CoinsCleared();
    ClearStoredBox(s);
    ClearGradedByBox(s);
    Q_EMIT s.Events->ShowBinCount();
    s.UDFlist.clear();
    Q_EMIT s.Events->ClearUDFControls();
}

// Moves a collection read whole into a state of its own over to the open
// state, whose collection was emptied first. The root stays the same
// object: the window and the lists keep pointing at it.
void TakeCollection(tMainState &s, tMainState &read)
{
    tnodeinfo *root = s.EntireCollection.get();
    tnodeinfo *from = read.EntireCollection.get();
    CopySeriesProperties(*root, *from);
    root->ChildNodes = std::move(from->ChildNodes);
    for (auto &c : root->ChildNodes)
        c->ParentNode = root;
    for (auto &c : read.CoinList)
        if (c->Folder == from)
            c->Folder = root;
    s.CoinList = std::move(read.CoinList);
    s.MaxInventory = read.MaxInventory;
    s.UDFlist = std::move(read.UDFlist);
    s.ThemeNames = read.ThemeNames;
    for (size_t kind = 0; kind < GradeKinds; ++kind)
        for (size_t scale = FirstUserGradeScale; scale <= LastUserGradeScale; ++scale)
            for (size_t slot = 1; slot <= GradeSlots; ++slot)
                s.GradeTitles3D[kind][scale][slot] = read.GradeTitles3D[kind][scale][slot];
    s.AutoAddStr = read.AutoAddStr;
    s.ColumnLayout = read.ColumnLayout;
    s.CoinSortOrder = read.CoinSortOrder;
    s.StoredBoxItems = read.StoredBoxItems;
    s.GradedByBoxItems = read.GradedByBoxItems;
    FindQuarterNode(s);
}

// A normal read: the file goes into a state of its own and becomes the open
// collection only once its last value was read, so a file that fails
// part-way (a truncated or damaged one) leaves the open collection exactly
// as it was and throws. Progress is shown as the file is read; the window
// steps that rebuild from the collection run once it has been taken over.
tReadOutcome ReadWholeCollection(tMainState &s,
                                 const std::function<tReadOutcome(tMainState &, tSeriesIndex &)> &readInto)
{
    tMainState read;
    read.OVversionString = s.OVversionString;
    // Progress goes on to the open collection's window as it is read; the
    // steps that rebuild the window from the collection wait until it has
    // been taken over.
    tStateEvents *from = read.Events.get();
    tStateEvents *to = s.Events.get();
    QObject::connect(from, &tStateEvents::SetStatusText, to, &tStateEvents::SetStatusText);
    QObject::connect(from, &tStateEvents::ShowProgress, to, &tStateEvents::ShowProgress);
    QObject::connect(from, &tStateEvents::SetProgress, to, &tStateEvents::SetProgress);
    QObject::connect(from, &tStateEvents::ProcessEvents, to, &tStateEvents::ProcessEvents);
    using tStep = void (tStateEvents::*)();
    std::vector<tStep> deferred;
    for (tStep step : {&tStateEvents::RefreshThemeButtons, &tStateEvents::ResetCoinGridColumnWidths,
                       &tStateEvents::ClearUDFControls, &tStateEvents::CreateUDFobjects, &tStateEvents::HideCoinPages})
        QObject::connect(from, step, from, [&deferred, step] { deferred.push_back(step); });

    tSeriesIndex index;
    index.insert(RootCoinType, read.EntireCollection.get());
    const tReadOutcome outcome = readInto(read, index);
    if (outcome != tReadOutcome::Read)
        return outcome;
    EmptyCollection(s);
    TakeCollection(s, read);
    for (tStep step : deferred)
        (to->*step)();
    return outcome;
}

void HideBusy(tMainState &s)
{
    Q_EMIT s.Events->ShowBusy(false);
    Q_EMIT s.Events->ShowProgress(false);
    Status(s, QString());
}

// Brings the state in line after the body of a merged file failed to read:
// what was merged so far stays, but nothing may refer to a freed price
// entry, the counts must match the entries, and the content differs from
// every file on disk.
void AfterFailedMerge(tMainState &s)
{
    try {
        HideBusy(s);
        ReconcilePriceList(s);
        CalcNodeEntries(s);
        CalcNodeDates(s);
        s.SelectedTreeNode = s.EntireCollection.get();
        s.DataModified = true;
        Q_EMIT s.Events->SetMainCaption();
        Q_EMIT s.Events->SeriesSelected();
    } catch (...) {
        // The read error is the one to report.
    }
}

} // namespace

int32_t OldGradeToSlot(int32_t grade)
{
    static const int shift[6] = {3, 4, 5, 5, 5, 6};
    if (grade < 0 || grade >= OldGradeSlots)
        return grade;
    return grade + (grade < 6 ? shift[grade] : 7);
}

int32_t StoredCollectionVersion(const QByteArray &head)
{
    try {
        ValueReader r(head);
        r.ReadListBegin();
        return r.ReadInteger();
    } catch (const StreamReadError &) {
        return 0;
    }
}

bool IsNewerVersion(const QString &fileVersion, const QString &programVersion)
{
    auto parts = [](const QString &v) {
        std::array<long long, 3> n{};
        const QStringList p = v.trimmed().split(QLatin1Char('.'));
        for (int i = 0; i < 3 && i < p.size(); ++i)
            n[static_cast<size_t>(i)] = p[i].trimmed().toLongLong();  // unreadable parts count as 0
        return n;
    };
    return parts(fileVersion) > parts(programVersion);
}

namespace {

void WriteCollection(ValueWriter &w, const tMainState &s, tBundlePictures *imageFileList)
{
    const std::vector<tnodeinfo *> nodes = PreOrder(s.EntireCollection.get());
    w.WriteListBegin();
    w.WriteInteger(CollectionFileVersion);
    w.WriteString(s.OVversionString);
    w.WriteInteger(static_cast<int32_t>(nodes.size()));
    for (const QString &name : s.ThemeNames)
        w.WriteString(name);
    for (int kind = 0; kind < 2; ++kind)
        for (int scale = FirstUserGradeScale; scale <= LastUserGradeScale; ++scale)
            for (int g = 0; g < GradeSlots; ++g)
                w.WriteString(s.GradeTitles3D[static_cast<size_t>(kind)][static_cast<size_t>(scale)]
                                             [static_cast<size_t>(g + 1)]);
    w.WriteString(s.AutoAddStr);
    // The coin grid, when there is one, stores its current layout first.
    Q_EMIT s.Events->ColumnLayoutWanted();
    w.WriteString(s.ColumnLayout);
    for (int32_t key : s.CoinSortOrder)
        w.WriteInteger(key);
    w.WriteInt64(static_cast<int64_t>(s.UDFlist.size()));
    for (const auto &f : s.UDFlist) {
        w.WriteInteger(f->FieldType);
        w.WriteString(f->FieldLabel);
        w.WriteInteger(f->Length);
        w.WriteString(f->Options);
        w.WriteInteger(f->BitByte);
    }
    for (const tnodeinfo *n : nodes)
        WriteSeries(w, *n);
    w.WriteInteger(static_cast<int32_t>(s.StoredBoxItems.size()));
    for (const QString &item : s.StoredBoxItems)
        w.WriteString(item);
    w.WriteInteger(static_cast<int32_t>(s.GradedByBoxItems.size()));
    for (const QString &item : s.GradedByBoxItems)
        w.WriteString(item);
    w.WriteInt64(static_cast<int64_t>(s.CoinList.size()));
    const size_t coins = s.CoinList.size();
    for (size_t i = 0; i < coins; ++i) {
        // Entries and their texts lie scattered over the heap: fetching the
        // next ones while this one is written keeps the writer from waiting
        // on memory at every text.
        if (i + 2 < coins)
            __builtin_prefetch(s.CoinList[i + 2].get());
        if (i + 1 < coins)
            PrefetchTexts(*s.CoinList[i + 1]);
        WriteCoin(w, s, *s.CoinList[i], imageFileList);
    }
    w.WriteListEnd();
}

} // namespace

QByteArray CollectionFileBytes(const tMainState &s, tBundlePictures *imageFileList)
{
    CurrProcGuard guard(1131);
    ValueWriter w;
    WriteCollection(w, s, imageFileList);
    return w.TakeData();
}

void WriteCollectionFile(tMainState &s, QIODevice &stream, tBundlePictures *ImageFileList)
{
    CurrProcGuard guard(1132);
    auto fail = [&] {
        throw FileWriteError(QStringLiteral("Cannot write the collection: %1").arg(stream.errorString()).toStdString());
    };
    if (!stream.isSequential() && !stream.seek(0))
        fail();
    // Streamed in blocks: a large collection is never held twice in memory.
    ValueWriter w(stream);
    WriteCollection(w, s, ImageFileList);
    if (!w.Finish())
        fail();
    // A shorter collection written over a longer one must not leave the old
    // tail behind it.
    if (auto *buffer = qobject_cast<QBuffer *>(&stream))
        buffer->buffer().truncate(buffer->pos());
    else if (auto *file = qobject_cast<QFile *>(&stream))
        file->resize(file->pos());
    MarkSaved(s);
}

void SaveCollectionFile(tMainState &s, const QString &fileName, tBundlePictures *imageFileList)
{
    CurrProcGuard guard(1133);
    QSaveFile out(fileName);
    auto fail = [&](const QString &why) {
        out.cancelWriting();
        throw FileWriteError(QStringLiteral("Cannot save \"%1\": %2").arg(fileName, why).toStdString());
    };
    if (!out.open(QIODevice::WriteOnly))
        fail(out.errorString());
    // Streamed in blocks into the temporary file, which replaces the target
    // only once complete; an error part-way leaves the target as it was.
    ValueWriter w(out);
    WriteCollection(w, s, imageFileList);
    if (!w.Finish())
        fail(out.errorString());
    if (!out.commit())
        fail(out.errorString());
    MarkSaved(s);
}

void ReconcilePriceList(tMainState &s)
{
    CurrProcGuard guard(1134);
    std::unordered_set<const tPriceInfo *> freed;
    for (auto it = s.PriceList.rbegin(); it != s.PriceList.rend(); ++it) {
        tPriceInfo *p = it->get();
        const int country = CoinTypeToCountry(p->CoinType);
        if (country >= 0 && country <= MaxCountry && s.PricesModifiedArray[static_cast<size_t>(country)])
            p->Folder = nullptr;
        else
            freed.insert(p);
    }
    if (freed.empty())
        return;
    // Views and cached matches first, owners after.
    std::erase_if(s.CurrPriceList, [&](const tPriceInfo *p) { return freed.count(p) != 0; });
    for (auto &c : s.CoinList)
        if (freed.count(c->PriceInfo))
            c->PriceInfo = nullptr;
    std::erase_if(s.PriceList, [&](const std::unique_ptr<tPriceInfo> &p) { return freed.count(p.get()) != 0; });
}

namespace {

// data is null when the file does not exist.
bool LoadCollection(tMainState &s, ValueReader *data, const QString &Filename, bool MergeMode)
{
    CurrProcGuard guard(1135);
    const QString fileName = TrimFileName(Filename);
    LogEntry(QStringLiteral("Load Collection: ") + fileName);
    Q_EMIT s.Events->ShowBusy(true);

    tReadOutcome outcome = tReadOutcome::Unreadable;
    QString keptLayout;
    s.LoadFailure.clear();
    if (data) {
        Status(s, QStringLiteral("Opening collection file..."));
        Q_EMIT s.Events->ProcessEvents();
        // Reads the file into a state with the reader and says, when it
        // fails, where a damaged file stopped or why its start was refused.
        auto readInto = [&](tMainState &into, tSeriesIndex &index) {
            tCollectionReader reader(into, *data, MergeMode);
            tReadOutcome result = tReadOutcome::Unreadable;
            try {
                result = reader.Read(index, keptLayout);
            } catch (const StreamReadError &) {
                s.LoadFailure = QStringLiteral("The file is damaged or incomplete: reading stopped at byte %1 of %2.")
                                    .arg(reader.Position())
                                    .arg(reader.Size());
                throw;
            }
            if (result == tReadOutcome::Unreadable)
                s.LoadFailure = reader.Failure();
            return result;
        };
        if (MergeMode) {
            // A merge reads straight into the open collection: what it added
            // before a failure stays, marked as changed.
            tSeriesIndex index;
            ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
                if (!index.contains(n->CoinType))
                    index.insert(n->CoinType, n);
            });
            try {
                outcome = readInto(s, index);
            } catch (...) {
                AfterFailedMerge(s);
                throw;
            }
        } else {
            try {
                outcome = ReadWholeCollection(s, readInto);
            } catch (...) {
                HideBusy(s);
                LogEntry(QStringLiteral("Collection not loaded"));
                throw;
            }
        }
    } else {
        s.LoadFailure = QStringLiteral("The file does not exist.");
    }
    const bool read = outcome == tReadOutcome::Read;
    const bool refused = outcome == tReadOutcome::Refused;
    if (!read && !refused) {
        // Nothing was taken from the file: the open collection, its file
        // name and its state stay as they were.
        HideBusy(s);
        Q_EMIT s.Events->ShowBusy(false);
        LogEntry(QStringLiteral("Collection not loaded"));
        return false;
    }

    if (read) {
        // A merge adds content that no file holds yet.
        s.DataModified = MergeMode;
        Q_EMIT s.Events->SetMainCaption();
        s.EntireCollection->Expanded = true;
        Q_EMIT s.Events->BuildUDFHistoryLists();
    } else if (refused && !MergeMode) {
        // A new collection stands in for the refused file and must never be
        // saved over it.
        EmptyCollection(s);
        Q_EMIT s.Events->CreateDefaultDatabase();
        s.LastFileName.clear();
    }

    HideBusy(s);

    if (!refused) {
        ReconcilePriceList(s);
        Q_EMIT s.Events->SetMainCaption();
        Q_EMIT s.Events->ReloadPriceLists();
        s.Events->RethrowFailure();
    }

    s.SelectedTreeNode = s.EntireCollection.get();
    if (!MergeMode && read) {
        Q_EMIT s.Events->CheckForNewTypes();
        s.Events->RethrowFailure();
    }
    Status(s, QStringLiteral("Preparing your collection..."));
    CalcNodeEntries(s);
    CalcNodeDates(s);
    s.SelectedTreeNode = s.EntireCollection.get();
    Q_EMIT s.Events->SeriesSelected();
    s.LastItemNumberAccessed = 0;
    Q_EMIT s.Events->BuildFavoritesMenu();
    Q_EMIT s.Events->ClearRecentSeriesMenu();
    Q_EMIT s.Events->LoadReportList();
    // Only a file that became the open collection enters the recent list.
    if (!MergeMode && read)
        Q_EMIT s.Events->UpdateRecentFiles(fileName);

    Status(s, read ? QStringLiteral("Your collection is loaded and ready.") : QString());
    Q_EMIT s.Events->SetupCoinGridCols();
    Q_EMIT s.Events->UnpackColumnData(keptLayout);
    Q_EMIT s.Events->UnpackColumnData(keptLayout);
    Q_EMIT s.Events->ShowBinCount();
    Q_EMIT s.Events->ShowBusy(false);
    LogEntry(QStringLiteral("Collection loaded"));
    s.AutoSaveTicks = 0;
    return read || refused;
}

} // namespace

bool LoadDataFromBuffer(tMainState &s, const QByteArray &data, const QString &fileName, bool mergeMode)
{
    ValueReader r(data);
    return LoadCollection(s, &r, fileName, mergeMode);
}

bool LoadDataFromFile(tMainState &s, const QString &Filename, bool MergeMode)
{
    CurrProcGuard guard(1136);
    QFile f(Filename.isEmpty() ? QString() : platform::resolvePath(TrimFileName(Filename)));
    if (Filename.isEmpty() || !f.exists())
        return LoadCollection(s, nullptr, Filename, MergeMode);
    // Read in blocks as the values are taken. A file that cannot be opened
    // reads as an empty one: its start is unreadable and the load fails like
    // any other unreadable start, with the reason the system gave.
    const QByteArray none;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QString openError = QStringLiteral("The file could not be opened: ") + f.errorString();
        ValueReader r(none);
        const bool loaded = LoadCollection(s, &r, Filename, MergeMode);
        if (!loaded)
            s.LoadFailure = openError;
        return loaded;
    }
    ValueReader r(f);
    return LoadCollection(s, &r, Filename, MergeMode);
}
