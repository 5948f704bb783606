// Feeds arbitrary bytes to the collection reader, as a normal read and as a
// merge into an open collection. Besides crashes and sanitizer reports it
// checks that whatever the reader accepts is written and read back to the
// same bytes, and that a failed read leaves no link to a freed record.
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

#include "core/files/collectionfile.h"
#include "core/model/mainstate.h"
#include "core/files/valuestream.h"

namespace {

void CheckLinks(const tMainState &s)
{
    std::unordered_set<const tnodeinfo *> nodes;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) { nodes.insert(n); });
    for (const auto &c : s.CoinList)
        if (!c->Folder || !nodes.count(c->Folder))
            std::abort();
    for (const auto &p : s.PriceList)
        if (p->Folder && !nodes.count(p->Folder))
            std::abort();
    if (!nodes.count(s.SelectedTreeNode))
        std::abort();
}

// A small open collection with a price entry and an entry of its own.
void Populate(tMainState &s)
{
    tnodeinfo *n = AddChildNode(s.EntireCollection.get(), 352000);
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = 352000;
    p->Folder = n;
    s.PriceList.push_back(std::move(p));
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = 352000;
    c->Folder = n;
    s.CoinList.push_back(std::move(c));
}

bool Load(tMainState &s, const QByteArray &bytes, bool merge)
{
    try {
        return LoadDataFromBuffer(s, bytes, QString(), merge);
    } catch (const StreamReadError &) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        tMainState s;
        s.OVversionString = QStringLiteral("99999.0.0");   // refuse nothing as newer
        Populate(s);
        const bool read = Load(s, bytes, false);
        CheckLinks(s);
        if (read) {
            // What the program wrote, it reads back to the same bytes.
            const QByteArray once = CollectionFileBytes(s);
            tMainState t;
            t.OVversionString = s.OVversionString;
            if (!Load(t, once, false) || CollectionFileBytes(t) != once)
                std::abort();
        }
    }
    {
        tMainState s;
        s.OVversionString = QStringLiteral("99999.0.0");
        Populate(s);
        Load(s, bytes, true);
        CheckLinks(s);
        if (s.CoinList.empty())
            std::abort();   // a merge never drops the open entries
    }
    return 0;
}
