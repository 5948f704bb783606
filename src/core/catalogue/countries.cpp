#include "core/catalogue/countries.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QTime>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/program/epicmessage.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/files/structurefile.h"
#include "core/files/valuestream.h"
#include "platform/paths.h"

namespace {

constexpr int LoadCountriesBlock = 10601;
constexpr int LoadStructuresBlock = 10602;
constexpr int KeepLockedBlock = 10603;
constexpr int CountryClassBlock = 10604;
constexpr int CountryFileBlock = 10605;
constexpr int ApplyRecordBlock = 10606;
constexpr int GroupUserSeriesBlock = 10607;
constexpr int CheckForNewTypesBlock = 10600;
constexpr int UpdateSeriesBlock = 10608;

constexpr int FirstUserSeries = 1000000;  // numbers above are the user's own series
constexpr int RecordsPerEventPass = 256;
constexpr int LockedNone = -1;

void ShowStatus(tMainState &s, const QString &text)
{
    Q_EMIT s.Events->SetStatusText(text);
}

// Appends to the log's last line, as the log's " <Done>" marks do.
void LogAppend(const QString &text)
{
    if (!LogMode)
        return;
    if (LogList.isEmpty())
        LogEntry(text);
    else
        LogList.last() += text;
}

// Case-insensitive, locale-aware order of series names.
int CompareNames(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

// Code units compared with only the ASCII letters upper-cased, so that the
// order is the same in every locale.
int CompareDescriptions(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

using tChildList = std::vector<std::unique_ptr<tnodeinfo>>;

int IndexInList(const tChildList &list, const tnodeinfo *node)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == node)
            return static_cast<int>(i);
    return -1;
}

// Takes the item at from out and puts it back so that it stands at to.
void MoveItem(tChildList &list, int from, int to)
{
    if (from == to)
        return;
    auto item = std::move(list[static_cast<size_t>(from)]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(item));
}

bool IsSelfOrBelow(const tnodeinfo *candidate, const tnodeinfo *node)
{
    for (const tnodeinfo *n = candidate; n; n = n->ParentNode)
        if (n == node)
            return true;
    return false;
}

void MoveUnder(tnodeinfo *node, tnodeinfo *newParent)
{
    tChildList &old = node->ParentNode->ChildNodes;
    const int at = IndexInList(old, node);
    auto owned = std::move(old[static_cast<size_t>(at)]);
    old.erase(old.begin() + at);
    node->ParentNode = newParent;
    newParent->ChildNodes.push_back(std::move(owned));
}

void MoveToEndOfSiblings(tnodeinfo *node)
{
    tChildList &list = node->ParentNode->ChildNodes;
    MoveItem(list, IndexInList(list, node), static_cast<int>(list.size()) - 1);
}

// Measures count as equal when they agree to a tenth of a millimetre.
double Tenths(float mm)
{
    return std::nearbyint(static_cast<double>(mm) * 10.0);
}

void SetBit(uint16_t &bits, uint16_t bit, bool on)
{
    bits = static_cast<uint16_t>(on ? (bits | bit) : (bits & ~bit));
}

// The header's date (day number with the time as fraction) in the locale's
// short date and long time form, for the log.
QString StructureDateText(double date)
{
    if (!std::isfinite(date) || date < -693593 || date > 2958465)
        return QString();
    const double day = std::floor(date);
    const int ms = static_cast<int>(std::lround((date - day) * 86400000.0)) % 86400000;
    return FormatShortDate(static_cast<int>(day)) + QLatin1Char(' ') +
           QLocale().toString(QTime::fromMSecsSinceStartOfDay(ms), QLocale::LongFormat);
}

// Header of one file as the start-up scan reads it; null when the file is
// not a whole catalogue file.
std::unique_ptr<tCountryInfo> ReadCountryHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 realSize = file.size();
    // Headers are small; the whole file is read only when one is not.
    QByteArray data = file.read(std::min<qint64>(realSize, 64 * 1024));
    for (;;) {
        ValueReader r(data);
        try {
            if (r.ReadRawInt64() != realSize)
                return nullptr;
            ValueReader whole(data);
            tStructureHeader h = ReadStructureHeader(whole);
            auto info = std::make_unique<tCountryInfo>(std::move(h.Country));
            info->UpdateStatus = 0;
            return info;
        } catch (const StreamReadError &) {
            if (data.size() >= realSize) {
                LogEntry(QStringLiteral("OVCD: unreadable header ") + path);
                return nullptr;
            }
            data += file.readAll();
        }
    }
}

void ShowUnreadable(const QString &name)
{
    ShowEpicMessage(QStringLiteral("The file ") + name + QStringLiteral(".OVCD") +
                        QStringLiteral(", which contains the default structures for") + QLatin1Char(' ') + name +
                        QStringLiteral(", is unreadable."),
                    QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
}

class tStructureLoad {
public:
    tStructureLoad(tMainState &s, uint8_t mode, bool onlyLoaded, bool keepPlaces, tnodeinfo *&firstNode)
        : s_(s), root_(s.EntireCollection.get()), mode_(mode), onlyLoaded_(onlyLoaded), keepPlaces_(keepPlaces),
          first_(firstNode)
    {
    }

    int Run(int classID)
    {
        LogEntry(QStringLiteral(">>>>> Load Countries Section <<<<<"));
        LogEntry(QStringLiteral("OVCD: Dictionary.init"));
        first_ = nullptr;
        BuildIndex();
        LogEntry(QStringLiteral("OVCD: Dictionary loaded"));
        records_ = 0;
        LoadCountryClass(classID);
        LogEntry(QStringLiteral("OVCD: Class Complete"));
        return records_;
    }

private:
    // Series by number over the whole tree. A damaged collection may hold a
    // number twice; the first one in tree order is the one the loader uses,
    // so no further duplicate is ever created.
    void BuildIndex()
    {
        index_.clear();
        for (tnodeinfo *n : PreOrder(root_))
            if (!index_.contains(n->CoinType))
                index_.insert(n->CoinType, n);
        generation_ = s_.TreeGeneration;
    }

    // Window events may run a command that frees series; the index and the
    // first node are then looked up afresh.
    void LetEventsRun()
    {
        Q_EMIT s_.Events->ProcessEvents();
        if (s_.TreeGeneration == generation_)
            return;
        BuildIndex();
        if (first_) {
            const std::vector<tnodeinfo *> all = PreOrder(root_);
            if (std::find(all.begin(), all.end(), first_) == all.end())
                first_ = nullptr;
        }
    }

    // Whether a list entry belongs to a class, and the kind the file step
    // takes for it.
    bool ClassMember(int classID, const tCountryInfo &c, int &kind) const
    {
        kind = AnyKind;
        switch (classID) {
        case ExonumiaClass:
            return c.Tab == 2;
        case FantasyClass:
            return c.Tab == 3;
        case AutoAddClass:
            return !AutoAddRefused(s_, c.CountryID);
        default:
            kind = classID % 2 == 0 ? CoinsKind : PaperKind;
            if (classID >= AllCoinsClass)
                return true;
            return c.Continent == (classID - FirstContinentClass) / 2 + 1;
        }
    }

    void LoadCountryClass(int classID)
    {
        CurrProcGuard guard(CountryClassBlock);
        LogEntry(QStringLiteral("OVCD: Country Class ID=%1 Mode=%2").arg(classID).arg(mode_));
        if (classID >= FirstCountryClass)
            first_ = root_;
        if (classID < FirstCountryClass || classID > LastCountryClass) {
            LoadCountryFile(classID, AnyKind);
        } else if (!s_.CountryList.empty()) {
            const int count = static_cast<int>(s_.CountryList.size());
            Q_EMIT s_.Events->SetProgress(0, count - 1);
            Q_EMIT s_.Events->ShowProgress(true);
            Q_EMIT s_.Events->CalcVisibleNodes();
            Q_EMIT s_.Events->FormResize();
            for (int i = 0; i < count; ++i) {
                Q_EMIT s_.Events->SetProgress(i, count - 1);
                const tCountryInfo &c = *s_.CountryList[static_cast<size_t>(i)];
                int kind = AnyKind;
                if (!ClassMember(classID, c, kind))
                    continue;
                if (c.Tab >= 2 && kind != AnyKind)
                    continue;
                const int id = c.CountryID;
                LetEventsRun();
                if (mode_ == StructureAddUpdate && onlyLoaded_ && !CountryIsLoaded(s_, id))
                    continue;
                LoadCountryFile(id, kind);
            }
            Q_EMIT s_.Events->ShowProgress(false);
            Q_EMIT s_.Events->CalcVisibleNodes();
            Q_EMIT s_.Events->FormResize();
        }
        Q_EMIT s_.Events->SetMainCaption();
    }

    const tCountryInfo *FindEntry(int countryID, int kind) const
    {
        for (const auto &c : s_.CountryList) {
            if (c->CountryID != countryID)
                continue;
            if ((kind == CoinsKind && c->IsPaper) || (kind == PaperKind && !c->IsPaper))
                continue;
            return c.get();
        }
        return nullptr;
    }

    void LoadCountryFile(int countryID, int kind)
    {
        CurrProcGuard guard(CountryFileBlock);
        LogEntry(QStringLiteral("OVCD: Country Step ID=%1").arg(countryID));
        const tCountryInfo *entry = FindEntry(countryID, kind);
        if (!entry)
            return;
        const QString path = entry->Path;
        const QString name = entry->Name;
        LogEntry(QStringLiteral("OVCD: Load ") + path);
        if (GetFileSize(path) > MaxIgnoredStructureFileSize && !ApplyFile(path, name))
            return;
        LogEntry(QStringLiteral("OVCD: Complete ") + path);
    }

    // False when the file could not be read; the user has been told.
    bool ApplyFile(const QString &path, const QString &name)
    {
        QFile file(platform::toSlashes(path));
        if (!file.open(QIODevice::ReadOnly)) {
            ShowUnreadable(name);
            return false;
        }
        const QByteArray data = file.readAll();
        file.close();
        tStructureHeader header;
        std::vector<tStructureRecord> records;
        try {
            ValueReader sizeField(data);
            if (sizeField.ReadRawInt64() != data.size())
                return true;  // not a whole file: passed over without a word
            // The whole file is read before anything is applied, so a
            // damaged one changes nothing in the tree.
            ValueReader r(data);
            header = ReadStructureHeader(r);
            records = ReadStructureRecords(r, header);
        } catch (const StreamReadError &) {
            LogEntry(QStringLiteral("OVCD: Unreadable ") + path);
            ShowUnreadable(name);
            return false;
        }
        LogEntry(QStringLiteral("OVCD: Size %1 Date ").arg(header.FileSize) + StructureDateText(header.Date));
        for (const tStructureRecord &rec : records) {
            if (tnodeinfo *created = AddOrUpdateSeries(rec))
                MarkCreated(created);
            if (++sinceEvents_ >= RecordsPerEventPass) {
                sinceEvents_ = 0;
                LetEventsRun();
            }
        }
        return true;
    }

    void MarkCreated(tnodeinfo *node)
    {
        node->GlyphStats &= static_cast<uint16_t>(~(GlyphAdded | GlyphChildAdded));
        if (onlyLoaded_) {
            node->GlyphStats |= GlyphAdded;
            for (tnodeinfo *p = node->ParentNode; p; p = p->ParentNode) {
                if (p == root_ && p != node->ParentNode)
                    break;
                p->GlyphStats |= GlyphChildAdded;
            }
        }
        struct tSpecial {
            int CoinType;
            tnodeinfo *tMainState::*Ref;
        };
        static const tSpecial specials[] = {
            {345, &tMainState::QuarterNode},    {375, &tMainState::ATBNode},
            {356, &tMainState::DollarNode},     {442, &tMainState::WomenNode},
            {377, &tMainState::ATBFiveOzNode},  {379, &tMainState::QuarterFDCNode},
            {380, &tMainState::DollarFDCNode},  {417, &tMainState::InnovationNode},
        };
        for (const tSpecial &sp : specials)
            if (node->CoinType == sp.CoinType)
                s_.*(sp.Ref) = node;
    }

    void CompareSeries(tnodeinfo *node, const tStructureRecord &rec)
    {
        uint16_t g = node->GlyphStats;
        if (node->ParentNode)
            SetBit(g, GlyphParentDiffers, node->ParentNode->CoinType != rec.Parent);
        SetBit(g, GlyphNameDiffers, node->NodeName != rec.NodeName);
        // The remaining marks only accumulate: the user clears them by
        // updating the series.
        if (node->FaceValueCode.compare(rec.FaceValueCode, Qt::CaseInsensitive) != 0)
            g |= GlyphFaceCodeDiffers;
        if (node->FaceValueAmount != rec.FaceValueAmount)
            g |= GlyphFaceAmountDiffers;
        if (node->CoinShape != rec.CoinShape)
            g |= GlyphShapeDiffers;
        if (node->CoinSubShape != rec.CoinSubShape && ShapeHasSubShape(node->CoinShape))
            g |= GlyphSubShapeDiffers;
        if (Tenths(node->Measure1) != Tenths(rec.Measure1))
            g |= GlyphMeasure1Differs;
        if (Tenths(node->Measure2) != Tenths(rec.Measure2) && ShapeHasSecondMeasure(node->CoinShape))
            g |= GlyphMeasure2Differs;
        // Only the colour is compared; the style bits above it are the user's.
        if ((node->FontCode & 0x0F) != (rec.FontCode & 0x0F))
            g |= GlyphFontDiffers;
        if (node->NodeMode != rec.NodeMode)
            g |= GlyphNodeModeDiffers;
        node->GlyphStats = g;
    }

    // Returns the series when the record created it.
    tnodeinfo *AddOrUpdateSeries(const tStructureRecord &rec)
    {
        CurrProcGuard guard(ApplyRecordBlock);
        ++records_;
        if (mode_ != StructureAddUpdate) {
            if (tnodeinfo *node = index_.value(rec.CoinType))
                CompareSeries(node, rec);
            return nullptr;
        }
        if (rec.Parent == RootCoinType)
            ShowStatus(s_, (onlyLoaded_ ? QStringLiteral("Updating ") : QStringLiteral("Adding ")) + rec.NodeName);
        tnodeinfo *parent = index_.value(rec.Parent, root_);
        tnodeinfo *node = index_.value(rec.CoinType);
        tnodeinfo *created = nullptr;
        // Adding from the Countries Explorer only fills in what is missing:
        // the series already in the collection keep their places, the
        // user's own among them.
        const bool keepPlaces = keepPlaces_;
        if (node) {
            // A catalogue parent inside the series' own subtree would cut the
            // subtree off the tree; such a move is refused.
            if (!keepPlaces && node->MoveOK && node != root_ && node->ParentNode != parent &&
                !IsSelfOrBelow(parent, node))
                MoveUnder(node, parent);
            if (node->UpdateOK) {
                node->NodeName = rec.NodeName;
                node->Obverse = rec.Obverse;
                node->Reverse = rec.Reverse;
                node->CoinShape = rec.CoinShape;
                node->CoinSubShape = rec.CoinSubShape;
                node->Measure1 = rec.Measure1;
                node->Measure2 = rec.Measure2;
                node->NodeMode = rec.NodeMode;
                node->FaceValueCode = rec.FaceValueCode;
                node->FaceValueAmount = rec.FaceValueAmount;
            }
            if (!keepPlaces) {
                if (node->ParentNode && node->ParentNode != root_)
                    MoveToEndOfSiblings(node);
                GroupUserSeries(rec.NodeName, parent, node);
            }
        } else {
            LogEntry(QStringLiteral("Add Series %1").arg(rec.CoinType));
            int at = -1;
            if (parent == root_) {
                // Countries stay in alphabetical order under the root.
                const tChildList &top = root_->ChildNodes;
                at = static_cast<int>(top.size());
                for (size_t i = 0; i < top.size(); ++i)
                    if (CompareNames(top[i]->NodeName, rec.NodeName) >= 0) {
                        at = static_cast<int>(i);
                        break;
                    }
            }
            node = AddChildNode(parent, rec.CoinType, at);
            node->NodeName = rec.NodeName;
            node->Obverse = rec.Obverse;
            node->Reverse = rec.Reverse;
            node->FaceValueCode = rec.FaceValueCode;
            node->FaceValueAmount = rec.FaceValueAmount;
            node->NodeMode = rec.NodeMode;
            node->CoinShape = rec.CoinShape;
            node->CoinSubShape = rec.CoinSubShape;
            node->Measure1 = rec.Measure1;
            node->Measure2 = rec.Measure2;
            node->FontCode = rec.FontCode & 0x3F;
            node->Themes = rec.Themes;
            node->Favorite = false;
            node->UpdateOK = true;
            node->MoveOK = true;
            node->Expanded = true;
            node->Tag2 = LockedNone;
            if (parent != root_ && !keepPlaces)
                GroupUserSeries(rec.NodeName, parent, node);
            index_.insert(rec.CoinType, node);
            created = node;
        }
        if (!first_)
            first_ = node;
        s_.DataModified = true;
        return created;
    }

    tMainState &s_;
    tnodeinfo *root_;
    uint8_t mode_;
    bool onlyLoaded_;
    bool keepPlaces_;
    tnodeinfo *&first_;
    QHash<int32_t, tnodeinfo *> index_;
    uint64_t generation_ = 0;
    int records_ = 0;
    int sinceEvents_ = 0;
};

// Puts every series whose Tag2 remembers a place back there, from the front
// of each sibling list; a place past the end of a list that shrank meanwhile
// becomes its end.
void RestoreLockedPositions(tnodeinfo *top)
{
    // Each list is put in order before its members' own lists are visited.
    ForEachNode(top, [](tnodeinfo *node) {
        tChildList &list = node->ChildNodes;
        size_t i = 0;
        while (i < list.size()) {
            tnodeinfo *c = list[i].get();
            if (c->Tag2 >= 0) {
                const int to = std::min(c->Tag2, static_cast<int>(list.size()) - 1);
                c->Tag2 = LockedNone;
                MoveItem(list, static_cast<int>(i), to);
            } else {
                ++i;
            }
        }
    });
}

// Frees the price entries before a full reload, keeping those of countries
// with unsaved edits, detached, for the reload to attach again; nothing may
// keep pointing at a freed entry.
void ReleasePriceEntries(tMainState &s)
{
    for (auto &coin : s.CoinList)
        coin->PriceInfo = nullptr;
    std::unordered_set<const tPriceInfo *> freed;
    std::erase_if(s.PriceList, [&](const std::unique_ptr<tPriceInfo> &p) {
        const int c = CoinTypeToCountry(p->CoinType);
        if (c >= 0 && c <= MaxCountry && s.PricesModifiedArray[static_cast<size_t>(c)]) {
            p->Folder = nullptr;
            return false;
        }
        freed.insert(p.get());
        return true;
    });
    std::erase_if(s.CurrPriceList, [&](const tPriceInfo *p) { return freed.count(p) != 0; });
}

} // namespace

void SortCountryList(OwningList<tCountryInfo> &list)
{
    // Continent, then kind, then description: the same order as exchanging
    // neighbours until none is out of place, and stable as that is.
    std::stable_sort(list.begin(), list.end(), [](const auto &a, const auto &b) {
        if (a->Continent != b->Continent)
            return a->Continent < b->Continent;
        if (a->IsPaper != b->IsPaper)
            return !a->IsPaper;
        return CompareDescriptions(a->Description, b->Description) < 0;
    });
}

void LoadCountries(tMainState &s)
{
    CurrProcGuard guard(LoadCountriesBlock);
    LogEntry(QStringLiteral("Load Countries.init"));
    const QString folder = s.CountriesRedirect;
    if (!folder.isEmpty()) {
        for (const QString &entry : platform::sortedEntries(platform::toSlashes(folder))) {
            const QString upper = entry.toUpper();
            if (upper == QLatin1String("COMMEMORATIVES.OVCD") || !upper.endsWith(QLatin1String(".OVCD")))
                continue;
            const QString path = folder + entry;
            if (!QFileInfo(platform::toSlashes(path)).isFile() || GetFileSize(path) <= MaxIgnoredStructureFileSize)
                continue;
            std::unique_ptr<tCountryInfo> info = ReadCountryHeader(platform::toSlashes(path));
            if (!info)
                continue;
            info->Path = path;
            const bool known = std::any_of(s.CountryList.begin(), s.CountryList.end(),
                                           [&](const auto &c) { return c->CountryID == info->CountryID; });
            if (!known)
                s.CountryList.push_back(std::move(info));
        }
    }
    LogAppend(QStringLiteral(" <Done>"));
    SortCountryList(s.CountryList);
}

QString GetCountryName(const tMainState &s, int countryID)
{
    if (countryID >= UserCountry)
        return QStringLiteral("User");
    for (const auto &c : s.CountryList)
        if (c->CountryID == countryID)
            return c->Name;
    return QString();
}

bool AutoAddRefused(const tMainState &s, int countryID)
{
    return countryID >= 0 && countryID < s.AutoAddStr.size() && s.AutoAddStr[countryID] == QLatin1Char('N');
}

int LoadCountryStructures(tMainState &s, int classID, uint8_t mode, bool onlyLoaded, tnodeinfo *&firstNode,
                          bool keepPlaces)
{
    CurrProcGuard guard(LoadStructuresBlock);
    firstNode = nullptr;
    // A load lets window events run; one started from such an event would
    // change the tree under the running one's feet.
    if (s.StructureLoadActive) {
        LogEntry(QStringLiteral("OVCD: a load is already running"));
        return 0;
    }
    s.StructureLoadActive = true;
    struct tActive {
        bool &flag;
        ~tActive() { flag = false; }
    } active{s.StructureLoadActive};
    return tStructureLoad(s, mode, onlyLoaded, keepPlaces, firstNode).Run(classID);
}

int LoadCountryStructuresKeepLocked(tMainState &s, int classID, uint8_t mode, bool onlyLoaded,
                                    tnodeinfo *&firstNode)
{
    CurrProcGuard guard(KeepLockedBlock);
    tnodeinfo *root = s.EntireCollection.get();
    root->Tag2 = LockedNone;
    ForEachNode(root, [](tnodeinfo *n) {
        for (size_t i = 0; i < n->ChildNodes.size(); ++i) {
            tnodeinfo *c = n->ChildNodes[i].get();
            c->Tag2 = c->MoveOK ? LockedNone : static_cast<int>(i);
        }
    });
    int result = 0;
    try {
        result = LoadCountryStructures(s, classID, mode, onlyLoaded, firstNode);
    } catch (...) {
        RestoreLockedPositions(root);
        throw;
    }
    RestoreLockedPositions(root);
    return result;
}

void GroupUserSeries(const QString &name, tnodeinfo *parent, tnodeinfo *node)
{
    CurrProcGuard guard(GroupUserSeriesBlock);
    tChildList &list = parent->ChildNodes;
    if (list.size() < 2)
        return;
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
        const tnodeinfo *e = list[static_cast<size_t>(i)].get();
        if (e == node || e->CoinType <= FirstUserSeries)
            continue;
        const qsizetype n = std::min(name.size(), e->NodeName.size());
        if (CompareNames(name.left(n), e->NodeName.left(n)) != 0)
            continue;
        const int at = IndexInList(list, node);
        if (at >= 0)
            MoveItem(list, i, at);
    }
}

void CheckForNewTypes(tMainState &s)
{
    CurrProcGuard guard(CheckForNewTypesBlock);
    ShowStatus(s, QStringLiteral("Checking for new types..."));
    std::array<int, CountryTableSize> counts{};
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n->CoinType > RootCoinType && n->Country >= 0 && n->Country <= MaxCountry)
            ++counts[static_cast<size_t>(n->Country)];
    });
    int total = 0;
    for (int c = 0; c <= MaxCountry; ++c) {
        int &count = counts[static_cast<size_t>(c)];
        if (AutoAddRefused(s, c)) {
            count = 0;
        } else if (count > 0) {
            tnodeinfo *first = nullptr;
            const int records = LoadCountryStructures(s, c, StructureCompare, false, first);
            count = std::max(0, records - count);
            total += count;
        }
    }
    if (total > 0) {
        const bool one = total == 1;
        const QString head = one ? QStringLiteral("There is one new coin type")
                                 : QStringLiteral("There are ") + QString::number(total) +
                                       QStringLiteral(" new coin types");
        ShowStatus(s, head);
        const QString question =
            head +
            QStringLiteral(" in the Orvanta database for countries that are currently included in your "
                           "collection.  Would you like to add ") +
            (one ? QStringLiteral("this coin type?") : QStringLiteral("these coin types?"));
        if (ShowEpicMessage(question, QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, 2, 3) == 1) {
            Q_EMIT s.Events->ShowProgress(true);
            tnodeinfo *first = nullptr;
            LoadCountryStructuresKeepLocked(s, AutoAddClass, StructureAddUpdate, true, first);
            ReleasePriceEntries(s);
            Q_EMIT s.Events->ReloadPriceLists();
            CalcNodeEntries(s);
            CalcNodeDates(s);
            Q_EMIT s.Events->RenderTree();
            s.DataModified = true;
            Q_EMIT s.Events->SetMainCaption();
            Q_EMIT s.Events->ShowProgress(false);
        }
    }
    ShowStatus(s, QString());
}

void UpdateSeries1Click(tMainState &s)
{
    CurrProcGuard guard(UpdateSeriesBlock);
    Q_EMIT s.Events->ShowProgress(true);
    const tnodeinfo *selected = s.SelectedTreeNode;
    const int classID =
        (!selected || selected == s.EntireCollection.get()) ? AutoAddClass : selected->Country;
    tnodeinfo *first = nullptr;
    LoadCountryStructuresKeepLocked(s, classID, StructureAddUpdate, true, first);
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->AssignNodePorts();
    Q_EMIT s.Events->RenderTree();
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    ShowStatus(s, QString());
    Q_EMIT s.Events->ShowProgress(false);
}
