#include "core/collection/udffields.h"

#include <algorithm>

#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "core/collection/coinentries.h"

namespace {

constexpr int PickListLength = 50;

struct tTypeInfo {
    const char *Name;
    const char *Description;
    tUDFEditors Editors;
};

const tTypeInfo Types[] = {
    {"Text box", "Text box: A box for entering one line of text", {true, false, false}},
    {"History drop-down",
     "History drop-down: A text box which has a drop-down box for selecting previous responses",
     {true, false, true}},
    {"Pick list", "Pick list: A drop-down box for selecting one choice out of a predefined list of choices",
     {false, true, false}},
    {"Text box with pick list",
     "Text box with pick list: A box for entering text, with a drop-down box of predefined responces",
     {true, true, false}},
    {"Check box", "Check box: A yes/no box which can be checked or unchecked with a mouse click", {}},
    {"Monetary value", "Dollar amount: A box for entering a monetary value", {}},
    {"Date", "Date: A calendar for selecting a particular date", {}},
    {"Number", "Number: A box for entering an integer numeric value", {true, false, true}},
    {"Phone", "Phone: A box for entering a telephone number", {}},
    {"Attachment",
     "Attachment: A box for entering a file name or web address & a button to open the attachment", {}},
    {"Empty space", "Empty space: An empty space for aligning controls", {}},
    {"Certification",
     "Certification: A box for entering PCGS or NGC bar code data, with a link to their web site", {}},
    {"Real number", "Real number: A box for entering a numeric value with a decimal point", {true, false, false}},
};
constexpr int TypeCount = static_cast<int>(std::size(Types));

bool ValidType(int type)
{
    return type >= 0 && type < TypeCount;
}

} // namespace

const QStringList UDFTypeNames = [] {
    QStringList names;
    for (const tTypeInfo &t : Types)
        names << QString::fromLatin1(t.Name);
    return names;
}();

QString UDFTypeDescription(int type)
{
    return ValidType(type) ? QString::fromLatin1(Types[type].Description) : QString();
}

tUDFEditors UDFEditorsFor(int type)
{
    return ValidType(type) ? Types[type].Editors : tUDFEditors{};
}

QString UDFCheckCaption(int type)
{
    return type == UDFHistoryDropDown ? QStringLiteral("Display as top 10 list")
                                      : QStringLiteral("Default to incremental value");
}

QString UDFLengthCaption(int type)
{
    return type == UDFReal ? QStringLiteral("Points ") : QStringLiteral("Length");
}

int UDFLengthLimit(int type)
{
    switch (type) {
    case UDFNumber: return 10;
    case UDFReal: return 4;
    default: return 50;
    }
}

int BoundUDFLength(int type, int length)
{
    return std::clamp(length, 0, UDFLengthLimit(type));
}

int UDFNewFieldLength(int type)
{
    switch (type) {
    case UDFReal: return 4;
    case UDFCertification: return 19;
    default: return 10;
    }
}

QString BlankLabel(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("(Blank)") : text;
}

tUDFWorkList::tUDFWorkList(const tMainState &s)
{
    for (const auto &f : s.UDFlist) {
        Fields.push_back({f->ID, f->FieldType, f->FieldLabel, f->Length, f->Options, f->BitByte});
        if (f->ID >= NextID)
            NextID = f->ID + 1;
    }
}

int tUDFWorkList::Add(int type)
{
    Fields.push_back({NextID++, type, QStringLiteral("(Blank)"), UDFNewFieldLength(type), QString(), 0});
    return static_cast<int>(Fields.size()) - 1;
}

int tUDFWorkList::Delete(int place)
{
    if (place < 0 || place >= static_cast<int>(Fields.size()))
        return Fields.empty() ? -1 : 0;
    Fields.erase(Fields.begin() + place);
    if (Fields.empty())
        return -1;
    return std::min(place, static_cast<int>(Fields.size()) - 1);
}

QString UDFOptionsFromLines(const QStringList &lines, QStringList *kept)
{
    QStringList items;
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            items << t;
    }
    if (kept)
        *kept = items;
    return items.isEmpty() ? QString() : CommaTextJoin(items);
}

QStringList UDFOptionLines(const QString &options)
{
    return options.isEmpty() ? QStringList() : CommaTextSplit(options);
}

QString RemapUDFString(const QString &udfString, const std::vector<int> &oldIDs, const std::vector<int> &newIDs)
{
    if (newIDs.empty())
        return {};
    const QStringList old = CommaTextSplit(udfString);
    QStringList slots;
    for (int id : newIDs) {
        QString value;
        for (size_t k = 0; k < oldIDs.size(); ++k)
            if (oldIDs[k] == id && static_cast<qsizetype>(k) < old.size())
                value = old[static_cast<qsizetype>(k)];
        slots << value;
    }
    return CommaTextJoin(slots);
}

std::vector<int> UDFFieldIDs(const tMainState &s)
{
    std::vector<int> ids;
    for (const auto &f : s.UDFlist)
        ids.push_back(f->ID);
    return ids;
}

void RemapUDFStrings(const std::vector<tCoinInfo *> &coins, const std::vector<int> &oldIDs,
                     const std::vector<int> &newIDs)
{
    for (tCoinInfo *c : coins)
        if (c)
            c->UDFstring = RemapUDFString(c->UDFstring, oldIDs, newIDs);
}

void ApplyUDFWorkList(tMainState &s, const tUDFWorkList &work)
{
    const std::vector<int> oldIDs = UDFFieldIDs(s);
    std::vector<int> newIDs;
    for (const tUDFWorkField &f : work.Fields)
        newIDs.push_back(f.ID);
    // Every copy of an entry moves with the entries: an Undo after OK must
    // put a value back under its own field. A record owns its copy (an edit's
    // old values, a deleted entry); a new entry's record points into
    // CoinList, which is re-slotted once.
    std::vector<tCoinInfo *> coins;
    for (const auto &c : s.CoinList)
        coins.push_back(c.get());
    for (const auto &u : s.UndoCoinList)
        coins.push_back(u->Owned.get());
    RemapUDFStrings(coins, oldIDs, newIDs);

    s.UDFlist.clear();
    for (const tUDFWorkField &w : work.Fields) {
        auto f = std::make_unique<tUDFfield>();
        f->ID = w.ID;
        f->FieldType = w.FieldType;
        f->FieldLabel = w.FieldLabel;
        f->Length = w.FieldType == UDFPickList ? PickListLength : w.Length;
        f->Options = w.Options;
        f->BitByte = w.BitByte;
        s.UDFlist.push_back(std::move(f));
    }
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
}
