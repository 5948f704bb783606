#include "support/pricefixtures.h"

#include "core/files/valuestream.h"

namespace {

bool StoredBeforeV6(int slot)
{
    for (int missing : {0, 1, 2, 4, 6, 10, 12})
        if (slot == missing)
            return false;
    return true;
}

} // namespace

QByteArray WriteOldPriceFile(int version, int32_t currency, int32_t country, int32_t date,
                             const std::vector<tPriceInfo> &entries)
{
    ValueWriter w;
    w.WriteListBegin();
    if (version == 1) {
        w.WriteString(QStringLiteral("\rPrice list (c) 2007  ") + QChar(26));
    } else {
        w.WriteString(QStringLiteral("\rPrice list  ") + QChar(26));
        w.WriteInteger(version);
    }
    w.WriteInteger(currency);
    w.WriteInteger(static_cast<int32_t>(entries.size()));
    w.WriteInteger(country);
    if (version >= 10)
        w.WriteInteger(date);
    for (const tPriceInfo &e : entries) {
        w.WriteInteger(e.CoinType);
        w.WriteInteger(e.Year);
        w.WriteString(e.Mint);
        w.WriteInteger(e.Mintage);
        w.WriteInteger(e.ProofMintage);
        w.WriteBoolean(e.Included);
        w.WriteBoolean(e.ProofIncluded);
        w.WriteString(e.Variety);
        w.WriteString(e.GM);
        if (version >= 2)
            w.WriteString(e.Catalog);
        w.WriteInteger(e.Metal);
        if (version <= 3)
            w.WriteSingle(e.Content);
        else
            w.WriteInteger(static_cast<int32_t>(e.Content * 10000.0 + (e.Content >= 0 ? 0.5 : -0.5)));
        if (version == 3)
            w.WriteSingle(e.Weight);
        else if (version >= 4)
            w.WriteInteger(static_cast<int32_t>(e.Weight * 10000.0 + (e.Weight >= 0 ? 0.5 : -0.5)));
        for (int slot = 0; slot < GradeSlots; ++slot) {
            if (version <= 5 && !StoredBeforeV6(slot))
                continue;
            const Money v = e.Value[static_cast<size_t>(slot)];
            if (version <= 7)
                w.WriteInteger(static_cast<int32_t>(v / 100));
            else
                w.WriteCurrency(v);
            if (version <= 8)
                w.WriteInteger(12345);
        }
        if (version <= 10)
            w.WriteBoolean(e.DateBits & 1);
        else
            w.WriteInteger(e.DateBits);
    }
    w.WriteListEnd();
    return w.TakeData();
}

tPriceInfo SamplePriceEntry(int32_t coinType, int32_t year)
{
    tPriceInfo e;
    e.CoinType = coinType;
    e.Year = year;
    e.Mint = QStringLiteral("D");
    e.Mintage = 1234567;
    e.ProofMintage = -150;
    e.Included = true;
    e.ProofIncluded = false;
    e.Variety = QStringLiteral("Large date");
    e.GM = QStringLiteral("PL");
    e.Catalog = QStringLiteral("KM# 12a");
    e.Metal = 1;
    e.Content = 0.7734f;
    e.Weight = 26.73f;
    for (int slot = 0; slot < GradeSlots; ++slot)
        e.Value[static_cast<size_t>(slot)] = (slot + 1) * 12300;  // whole cents: 1.23, 2.46, ...
    e.Value[7] = -9 * MoneyScale;                                  // "Split 20%"
    e.DateBits = DateBitRunEnd | DateBitCirca;
    return e;
}

tnodeinfo *AddFixtureCountry(tMainState &s, int country, const QString &name, const std::vector<int32_t> &series)
{
    auto c = std::make_unique<tCountryInfo>();
    c->Name = name;
    c->CountryID = country;
    s.CountryList.push_back(std::move(c));
    tnodeinfo *node = AddChildNode(s.EntireCollection.get(), country * 1000);
    node->NodeName = name;
    node->NodeMode = NodeModeCountry;
    for (int32_t t : series) {
        tnodeinfo *child = AddChildNode(node, t);
        child->NodeName = QStringLiteral("Series %1").arg(t);
    }
    return node;
}
