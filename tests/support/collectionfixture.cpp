#include "support/collectionfixture.h"

#include <cmath>

#include <QFile>

#include "core/files/valuestream.h"

namespace {

void WritePrice(ValueWriter &w, int32_t version, Money m, bool wholeUnits)
{
    if (version >= 95467)
        w.WriteInt64(m / 100);
    else if (wholeUnits)
        w.WriteInteger(static_cast<int32_t>(m / MoneyScale));
    else
        w.WriteCurrency(m);
}

int32_t TenThousandths(float mm, std::optional<int32_t> raw)
{
    return raw ? *raw : static_cast<int32_t>(std::lround(static_cast<double>(mm) * 10000.0));
}

} // namespace

tFixtureCollection RootOnlyFixture(int32_t version, int coins)
{
    tFixtureCollection c;
    c.Version = version;
    tFixtureSeries root;
    root.NodeName = QStringLiteral("Entire Collection");
    root.CoinType = 1;
    c.Series = {root};
    tFixtureCoin coin;
    coin.CoinType = 1;
    c.Coins.assign(static_cast<size_t>(coins), coin);
    return c;
}

QByteArray CollectionFixtureBytes(const tFixtureCollection &c)
{
    const int32_t v = c.Version;
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(v);
    if (v >= 95481)
        w.WriteString(c.ProgramVersion);
    w.WriteInteger(static_cast<int32_t>(c.Series.size()));
    if (v >= 95462)
        for (const QString &t : c.ThemeNames)
            w.WriteString(t);
    const int grades = v >= 95472 ? 41 : v >= 95466 ? 34 : 0;
    for (const auto &kind : c.GradeTitles)
        for (const auto &scale : kind)
            for (int g = 0; g < grades; ++g)
                w.WriteString(scale[static_cast<size_t>(g)]);
    if (v >= 95479)
        w.WriteString(c.AutoAddStr);
    if (v >= 95475)
        w.WriteString(c.ColumnLayout);
    if (v >= 95469 && v <= 95474) {
        w.WriteInteger(static_cast<int32_t>(c.OldColumnBlock.size()));
        for (const auto &triple : c.OldColumnBlock)
            for (int32_t x : triple)
                w.WriteInteger(x);
    }
    if (v >= 95470)
        for (int32_t k : c.SortKeys)
            w.WriteInteger(k);
    if (v >= 95463) {
        w.WriteInt64(static_cast<int64_t>(c.Fields.size()));
        for (const tFixtureField &f : c.Fields) {
            w.WriteInteger(f.FieldType);
            w.WriteString(f.FieldLabel);
            w.WriteInteger(f.Length);
            w.WriteString(f.Options);
            w.WriteInteger(f.BitByte);
        }
    }
    for (const tFixtureSeries &s : c.Series) {
        w.WriteString(s.NodeName);
        w.WriteInteger(s.CoinType);
        w.WriteInteger(s.Parent);
        if (v >= 95482)
            w.WriteInteger(s.PriceSource);
        if (v >= 95480) {
            w.WriteString(s.FaceValueCode);
            w.WriteSingle(s.FaceValueAmount);
        } else {
            w.WriteInteger(s.OldFaceValue);
        }
        w.WriteString(s.Obverse);
        w.WriteString(s.Reverse);
        if (v >= 95486)
            w.WriteInteger(s.NodeMode);
        else if (v >= 95476)
            w.WriteBoolean(s.NodeMode != 0);
        else
            w.WriteString(s.OldNodeMode);
        w.WriteBoolean(s.Favorite);
        if (v >= 95474)
            w.WriteBoolean(s.UpdateOK);
        if (v >= 95483)
            w.WriteBoolean(s.MoveOK);
        if (v >= 95465) {
            w.WriteInteger(s.CoinShape);
            w.WriteInteger(s.CoinSubShape);
            if (v >= 95468 && v <= 95479) {
                w.WriteInteger(TenThousandths(s.Measure1, s.Measure1Raw));
                w.WriteInteger(TenThousandths(s.Measure2, s.Measure2Raw));
            } else {
                w.WriteSingle(s.Measure1);
                w.WriteSingle(s.Measure2);
            }
            if (v == 95465) {
                w.WriteInteger(77);
                w.WriteSingle(7.5f);
            }
        }
        if (v >= 95462)
            w.WriteInteger(s.Themes);
        if (v >= 95466)
            w.WriteInteger(s.GradeScale);
        if (v >= 95471)
            w.WriteInteger(s.FontCode);
    }
    if (v >= 95473) {
        w.WriteInteger(static_cast<int32_t>(c.Stored.size()));
        for (const QString &t : c.Stored)
            w.WriteString(t);
        w.WriteInteger(static_cast<int32_t>(c.GradedBy.size()));
        for (const QString &t : c.GradedBy)
            w.WriteString(t);
    }
    w.WriteInt64(static_cast<int64_t>(c.Coins.size()));
    for (const tFixtureCoin &k : c.Coins) {
        w.WriteInteger(k.CoinType);
        w.WriteInteger(k.Year);
        w.WriteString(k.Mint);
        w.WriteString(k.Variety);
        w.WriteString(k.GM);
        w.WriteString(k.Comment);
        w.WriteBoolean(k.BuyLock);
        w.WriteBoolean(k.SellLock);
        w.WriteBoolean(k.MintError);
        w.WriteBoolean(k.User1);
        if (v >= 95463)
            w.WriteString(k.UDFstring);
        w.WriteInteger(k.Grade);
        w.WriteInteger(k.Have);
        w.WriteInteger(k.Need);
        w.WriteInteger(k.Sell);
        w.WriteInteger(k.Sold);
        w.WriteString(k.Gradedby);
        w.WriteString(k.Stored);
        w.WriteInteger(k.BuyDate);
        WritePrice(w, v, k.BuyPrice, k.PricesAsWholeUnits);
        if (v >= 95477)
            w.WriteInteger(k.SellDate);
        WritePrice(w, v, k.SellPrice, k.PricesAsWholeUnits);
        w.WriteString(k.Notes);
        w.WriteString(k.Obverse);
        w.WriteString(k.Reverse);
        w.WriteString(k.Receipt);
        if (v >= 95464)
            w.WriteString(k.OtherImages);
        if (v >= 95484)
            w.WriteString(k.OtherImageNames);
        w.WriteInteger(k.Inventory);
        if (v >= 95485)
            w.WriteBoolean(k.InBin);
    }
    w.WriteListEnd();
    return w.TakeData();
}

bool WriteCollectionFixture(const QString &path, const tFixtureCollection &c)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = CollectionFixtureBytes(c);
    return f.write(bytes) == bytes.size();
}
