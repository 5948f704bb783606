#include "browse/seriespictures/specialseries.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "core/files/collectionsettings.h"
#include "core/model/mainstate.h"
#include "browse/seriespictures/seriespictures.h"

namespace {

// The state-quarter and innovation-dollar designs, in issue order; the first
// is the innovation dollars' introductory coin.
const char *const StateNames[] = {
    "Introductory Coin", "Delaware", "Pennsylvania", "New Jersey", "Georgia", "Connecticut", "Massachusetts",
    "Maryland", "South Carolina", "New Hampshire", "Virginia", "New York", "North Carolina", "Rhode Island",
    "Vermont", "Kentucky", "Tennessee", "Ohio", "Louisiana", "Indiana", "Mississippi", "Illinois", "Alabama",
    "Maine", "Missouri", "Arkansas", "Michigan", "Florida", "Texas", "Iowa", "Wisconsin", "California",
    "Minnesota", "Oregon", "Kansas", "West Virginia", "Nevada", "Nebraska", "Colorado", "North Dakota",
    "South Dakota", "Montana", "Washington", "Idaho", "Wyoming", "Utah", "Oklahoma", "New Mexico", "Arizona",
    "Alaska", "Hawaii", "D.C.", "Puerto Rico", "Guam", "American Samoa", "Virgin Islands", "Mariana Islands",
};
constexpr int StateNameCount = int(std::size(StateNames));

// The women quarters' obverse changes with the year of the design.
const char *const WomenObverses[] = {
    "2022 Woman Quarter Obverse", "2023 Woman Quarter Obverse", "2024 Woman Quarter Obverse",
    "2025 Woman Quarter Obverse",
};

constexpr int StateQuarters = 0;
constexpr int Parks = 1;
constexpr int Women = 2;
constexpr int Presidents = 3;
constexpr int Innovation = 4;

// The park of American Samoa shares its name with the territory's state
// quarter; its picture carries " Park" to keep the two apart.
const QLatin1StringView AmericanSamoa("American Samoa");

struct tDesignTables {
    QStringList Parks;
    QStringList Women;
    QStringList Presidents;
    QStringList PresidentNotes;
};

const tDesignTables &Tables()
{
    static const tDesignTables tables = [] {
        tDesignTables t;
        QFile f(QStringLiteral(":/seriespics/specialdesigns.txt"));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return t;
        QString section;
        for (const QString &raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
                section = line.mid(1, line.size() - 2);
                continue;
            }
            if (section == QLatin1String("parks")) {
                t.Parks << line;
            } else if (section == QLatin1String("women")) {
                t.Women << line;
            } else if (section == QLatin1String("presidents")) {
                t.Presidents << line.section(QLatin1Char('|'), 0, 0).trimmed();
                t.PresidentNotes << line.section(QLatin1Char('|'), 1).trimmed();
            }
        }
        return t;
    }();
    return tables;
}

QString NoStops(QString name)
{
    return name.remove(QLatin1Char('.'));
}

QString PictureBaseName(int category, int index)
{
    QString name = NoStops(DesignName(category, index));
    if (category == Parks && name == AmericanSamoa)
        name += QLatin1String(" Park");
    return name;
}

int Clamped(int category, int index)
{
    return index >= 0 && index < DesignCount(category) ? index : 0;
}

} // namespace

QStringList DesignCategoryNames()
{
    return {QStringLiteral("State Quarters (1999-2009)"), QStringLiteral("America the Beautiful Quarters (2010-2021)"),
            QStringLiteral("American Women Quarters (2022-2025)"), QStringLiteral("Presidential Dollars (2007-2016)"),
            QStringLiteral("American Innovation Dollars (2018-2032)")};
}

int DesignCount(int category)
{
    switch (category) {
    case StateQuarters:
        return StateNameCount - 1;
    case Parks:
        return int(Tables().Parks.size());
    case Women:
        return int(Tables().Women.size());
    case Presidents:
        return int(Tables().Presidents.size());
    case Innovation:
        return StateNameCount;
    default:
        return 0;
    }
}

QString DesignName(int category, int index)
{
    if (index < 0 || index >= DesignCount(category))
        return {};
    switch (category) {
    case StateQuarters:
        return QString::fromLatin1(StateNames[index + 1]);
    case Parks:
        return Tables().Parks[index];
    case Women:
        return Tables().Women[index];
    case Presidents:
        return Tables().Presidents[index];
    default:
        return QString::fromLatin1(StateNames[index]);
    }
}

int DesignYear(int category, int index)
{
    switch (category) {
    case StateQuarters:
        return std::min(1999 + index / 5, 2009);
    case Parks:
        return 2010 + index / 5;
    case Women:
        return 2022 + index / 5;
    case Presidents:
        // The last design came after the programme's run.
        return index == 39 ? 2020 : 2007 + index / 4;
    default:
        return 2018 + (index + 3) / 4;
    }
}

QString DesignListItem(int category, int index)
{
    const QString year = QString::number(DesignYear(category, index));
    if (category == Presidents) {
        const QString note = index >= 0 && index < Tables().PresidentNotes.size() ? Tables().PresidentNotes[index]
                                                                                  : QString();
        return year + QLatin1String(": ") + DesignName(category, index) + QLatin1Char(' ') + note;
    }
    return DesignName(category, index) + QLatin1String(" (") + year + QLatin1Char(')');
}

QString DesignPictureName(int category, int index)
{
    const QString prefix = category == Presidents   ? QStringLiteral("~PD~")
                           : category == Innovation ? QStringLiteral("~ID~")
                                                    : QStringLiteral("~SQ~");
    return prefix + PictureBaseName(category, index) + QLatin1String(".jpg");
}

tnodeinfo *CategorySeries(const tMainState &s, int category)
{
    switch (category) {
    case StateQuarters:
        return s.QuarterNode;
    case Parks:
        return s.ATBNode;
    case Women:
        return s.WomenNode;
    case Presidents:
        return s.DollarNode;
    case Innovation:
        return s.InnovationNode;
    default:
        return nullptr;
    }
}

tDesignIndexes CurrentDesigns(const tMainState &s)
{
    tDesignIndexes out{};
    for (int c = 0; c < DesignCategoryCount; ++c) {
        const tnodeinfo *series = CategorySeries(s, c);
        if (!series)
            continue;
        const QString &shown = c == Presidents || c == Innovation ? series->Obverse : series->Reverse;
        for (int i = 0; i < DesignCount(c); ++i)
            if (DesignPictureName(c, i).compare(shown, Qt::CaseInsensitive) == 0) {
                out[static_cast<size_t>(c)] = i;
                break;
            }
    }
    return out;
}

std::vector<tnodeinfo *> ApplySpecialSeriesPictures(tMainState &s, const tDesignIndexes &indexes)
{
    std::array<QString, DesignCategoryCount> names;
    for (int c = 0; c < DesignCategoryCount; ++c)
        names[static_cast<size_t>(c)] = PictureBaseName(c, Clamped(c, indexes[static_cast<size_t>(c)]));
    const int women = Clamped(Women, indexes[Women]);
    const int president = Clamped(Presidents, indexes[Presidents]);
    const int innovation = Clamped(Innovation, indexes[Innovation]);
    const QString jpg = QStringLiteral(".jpg");

    std::vector<tnodeinfo *> changed;
    auto write = [&](tnodeinfo *series, const QString &obverse, const QString &reverse) {
        if (!series)
            return;
        if (series->Obverse == obverse && series->Reverse == reverse)
            return;
        series->Obverse = obverse;
        series->Reverse = reverse;
        if (std::find(changed.begin(), changed.end(), series) == changed.end())
            changed.push_back(series);
    };
    write(s.QuarterNode, QStringLiteral("~SQ~Obverse.jpg"), QLatin1String("~SQ~") + names[StateQuarters] + jpg);
    write(s.QuarterFDCNode, QLatin1String("~SQ~FDC ") + names[StateQuarters] + jpg, QString());
    for (tnodeinfo *park : {s.ATBNode, s.ATBFiveOzNode})
        write(park, QStringLiteral("~SQ~ATB Obverse.jpg"), QLatin1String("~SQ~") + names[Parks] + jpg);
    write(s.WomenNode, QLatin1String("~SQ~") + QString::fromLatin1(WomenObverses[std::min(women / 5, 3)]) + jpg,
          QLatin1String("~SQ~") + names[Women] + jpg);
    write(s.DollarNode, QLatin1String("~PD~") + names[Presidents] + jpg,
          president == 39 ? QStringLiteral("~PD~MS Reverse.jpg") : QStringLiteral("~PD~Reverse.jpg"));
    write(s.DollarFDCNode, QLatin1String("~PD~FDC ") + names[Presidents] + jpg, QString());
    write(s.InnovationNode, QLatin1String("~ID~") + names[Innovation] + jpg,
          innovation == 0 ? QStringLiteral("~ID~Reverse.jpg") : QStringLiteral("~ID~Reverse 2.jpg"));
    if (!changed.empty())
        s.DataModified = true;
    return changed;
}

QString CleanStockImageName(const QString &variety)
{
    QString out;
    out.reserve(variety.size());
    for (const QChar ch : variety) {
        const char16_t u = ch.unicode();
        if (u == u' ' || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
            out += ch;
    }
    for (const QLatin1StringView word : {QLatin1StringView("SILVER"), QLatin1StringView("CLAD"), QLatin1StringView("SATIN")}) {
        const qsizetype at = out.indexOf(word, 0, Qt::CaseInsensitive);
        if (at >= 0)
            out.remove(at, word.size());
    }
    while (out.startsWith(QLatin1Char(' ')))
        out.remove(0, 1);
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

tStockPictures StockPictureNames(int coinType, const QString &variety)
{
    QString v = CleanStockImageName(variety);
    const QString jpg = QStringLiteral(".jpg");
    switch (coinType) {
    case StateQuarterSeries:
        return {QStringLiteral("~SQ~Obverse.jpg"), QLatin1String("~SQ~") + v + jpg};
    case PresidentialDollarSeries:
        return {QLatin1String("~PD~") + v + jpg, QStringLiteral("~PD~Reverse.jpg")};
    case ParkQuarterSeries:
    case ParkFiveOunceSeries:
        if (v.compare(AmericanSamoa, Qt::CaseInsensitive) == 0)
            v += QLatin1String(" Park");
        return {QStringLiteral("~SQ~ATB Obverse.jpg"), QLatin1String("~SQ~") + v + jpg};
    case StateQuarterFDCSeries:
        return {QLatin1String("~SQ~FDC ") + v + jpg, QString()};
    case PresidentialDollarFDCSeries:
        return {QLatin1String("~PD~FDC ") + v + jpg, QString()};
    case InnovationDollarSeries:
        return {QLatin1String("~ID~") + v + jpg, QStringLiteral("~ID~Reverse.jpg")};
    default:
        return {};
    }
}

tThumbnails ChooseThumbnails(const tMainState &s, const tCoinInfo *e, bool stripOpen)
{
    tThumbnails out;
    const QString noObverse = QStringLiteral("No\nObverse\nImage");
    const QString noReverse = QStringLiteral("No\nReverse\nImage");
    if (!e || !stripOpen) {
        out.Obverse.Label = noObverse;
        out.Reverse.Label = noReverse;
        return out;
    }
    // An entry that says nothing of its design gets no stock picture.
    const bool namesDesign = e->Year >= 1 || !e->Mint.trimmed().isEmpty() || !e->Variety.trimmed().isEmpty();
    const tStockPictures stock = StockPictureNames(e->CoinType, e->Variety);
    auto side = [&](const QString &own, const QString &stockName, const QString &label) {
        tThumbnailSide t;
        QString file;
        if (!own.trimmed().isEmpty())
            file = FindPictureFile(UnpackRepositoryPath(s, own));
        if (file.isEmpty() && namesDesign && !stockName.isEmpty())
            file = FindPictureFile(fullpath(s, stockName, 1, true, false));
        if (!file.isEmpty() && QFileInfo(file).suffix().toUpper() != QLatin1String("PDF"))
            t.File = file;
        else
            t.Label = label;
        return t;
    };
    out.Obverse = side(e->Obverse, stock.Obverse, noObverse);
    out.Reverse = side(e->Reverse, stock.Reverse, noReverse);
    return out;
}
