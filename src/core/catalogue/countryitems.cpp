#include "core/catalogue/countryitems.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/model/blocks.h"
#include "core/catalogue/countries.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "platform/ini.h"

std::vector<tCountryItem> ReadCountryItems(const QByteArray &data)
{
    ValueReader r(data);
    r.ReadListBegin();
    const int count = r.ReadInteger();
    std::vector<tCountryItem> items;
    items.reserve(static_cast<size_t>(std::clamp(count, 0, 10000)));
    for (int i = 0; i < count; ++i) {
        tCountryItem item;
        item.Name = r.ReadString();
        item.tab = r.ReadInteger();
        item.Index = r.ReadInteger();
        item.XX = r.ReadInteger();
        item.YY = r.ReadInteger();
        item.GoToSeries = r.ReadInteger();
        item.Notes = r.ReadString();
        item.Prefix = r.ReadString();
        item.Flag = r.ReadInteger();
        items.push_back(std::move(item));
    }
    r.ReadListEnd();
    return items;
}

std::vector<tCountryItem> LoadCountryItemsFile(const QString &path)
{
    CurrProcGuard guard(Blocks::LoadCountryItems);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString()).toStdString());
    return ReadCountryItems(f.readAll());
}

QByteArray WriteCountryItems(const std::vector<tCountryItem> &items)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(static_cast<int32_t>(items.size()));
    for (const tCountryItem &e : items) {
        w.WriteString(e.Name);
        w.WriteInteger(e.tab);
        w.WriteInteger(e.Index);
        w.WriteInteger(e.XX);
        w.WriteInteger(e.YY);
        w.WriteInteger(e.GoToSeries);
        w.WriteString(e.Notes);
        w.WriteString(e.Prefix);
        w.WriteInteger(e.Flag);
    }
    w.WriteListEnd();
    return w.Data();
}

std::array<std::vector<tCountryItem>, ExplorerTabCount> SplitByTab(std::vector<tCountryItem> items)
{
    std::array<std::vector<tCountryItem>, ExplorerTabCount> lists;
    for (tCountryItem &item : items)
        if (item.tab >= 0 && item.tab < ExplorerTabCount)
            lists[static_cast<size_t>(item.tab)].push_back(std::move(item));
    return lists;
}

// ---- Maintainer rebuild ----

QString NativeName(int number)
{
    static const QString names[] = {
        QStringLiteral("محمية عدن"),
        QStringLiteral("République française"),
        QStringLiteral("جمهورية جيبوتي"),
        QStringLiteral("د افغانستان اسلامي جمهوریت "),
        QStringLiteral("إمارة عجمان"),
        QStringLiteral("الفجيرة"),
        QStringLiteral("إمارة رأس الخيمة"),
        QStringLiteral("ٱلشَّارقَة"),
        QStringLiteral("أم القيوين"),
        QStringLiteral("Oʻzbekiston Respublikasi"),
        QStringLiteral("République du Bénin"),
        QStringLiteral("საქართველო"),
        QStringLiteral("Հայաստանի Հանրապետություն"),
        QStringLiteral("Azərbaycan Respublikası"),
        QStringLiteral("Լեռնային Ղարաբաղ"),
        QStringLiteral("مملكة البحرين"),
        QStringLiteral("গণপ্রজাতন্ত্রী বাংলাদেশ"),
        QStringLiteral("Рэспубліка Беларусь"),
        QStringLiteral("Российская Федерация"),
        QStringLiteral("جمهوری اسلامی ایران"),
        QStringLiteral("جمهورية العراق"),
        QStringLiteral("יִשְׂרָאֵל"),
        QStringLiteral("日本国"),
        QStringLiteral("Československo"),
        QStringLiteral("الجمهورية العربية المتحدة "),
        QStringLiteral("ኢትዮጵያ"),
        QStringLiteral("Союз\rСоветских\rСоциалистическихС\rеспублик"),
        QStringLiteral("Тыва Арат Республик"),
        QStringLiteral("ٱلْمَمْلَكَة ٱلْعَرَبِيَّة ٱلسَّعُوْدِيَّة"),
        QStringLiteral("مملكة الحجاز ونجد"),
        QStringLiteral("中華人民共和國香港特別行政區"),
        QStringLiteral("Bhārat Gaṇarājya"),
        QStringLiteral("Cộng hòa Xã hội\rchủ nghĩa Việt Nam"),
        QStringLiteral("ٱلْجُمْهُورِيَّةُ ٱلْيَمَنِيَّةُ"),
        QStringLiteral("Република Северна Македонија"),
        QStringLiteral("Republika Hrvatska"),
        QStringLiteral("محمية الجنوب العربي"),
        QStringLiteral("Україна"),
        QStringLiteral("الجزائر"),
        QStringLiteral("Ελληνική Δημοκρατία"),
        QStringLiteral("Κρήτη"),
        QStringLiteral("Ιόνια νησιά"),
        QStringLiteral("Grønland"),
        QStringLiteral("ລາວ"),
        QStringLiteral("الجمهورية اللبنانية"),
        QStringLiteral("دولة ليبيا"),
        QStringLiteral("澳門"),
        QStringLiteral("འབྲུག་རྒྱལ་ཁབ་"),
        QStringLiteral("نڬارا بروني دارالسلام"),
        QStringLiteral("+(Eastern Group)"),
        QStringLiteral("Република Србија"),
        QStringLiteral("(Under Construction)"),
    };
    static_assert(std::size(names) == 52);
    if (number < 1 || number > static_cast<int>(std::size(names)))
        return {};
    return names[number - 1];
}

QString NotesLineBreaks(const QString &notes)
{
    QString out = notes;
    out.replace(QLatin1String("<>"), QLatin1String("\r\n"));
    return out;
}

std::vector<tCountryItem> CountryItemsFromIni(const platform::IniFile &ini)
{
    QStringList sections = ini.sections();
    if (!sections.isEmpty())
        sections.removeLast();  // the flag table
    std::stable_sort(sections.begin(), sections.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const QString flagTable = ini.sections().value(ini.sections().size() - 1);

    std::vector<tCountryItem> worldWide;
    std::vector<tCountryItem> others;
    for (const QString &section : sections) {
        tCountryItem e;
        e.Name = ini.readString(section, QStringLiteral("Name"), QStringLiteral("<Undefined>"));
        e.tab = ini.readInteger(section, QStringLiteral("Tab"), 0);
        e.Index = ini.readInteger(section, QStringLiteral("Index"), -1);
        e.XX = ini.readInteger(section, QStringLiteral("X"), 0);
        e.YY = ini.readInteger(section, QStringLiteral("Y"), 0);
        e.GoToSeries = ini.readInteger(section, QStringLiteral("GoToSeries"), 0);
        // A negative go-to names the country's own series, numbered the
        // country times 1000. An index whose series number would not fit a
        // stored number names no series that can exist: the entry is left
        // out rather than given a wrapped number.
        if (e.GoToSeries < 0 && e.Index > 0) {
            if (e.Index > std::numeric_limits<int32_t>::max() / 1000) {
                LogEntry(QStringLiteral("Countries.ini: [%1] left out, Index %2 names no series")
                             .arg(section)
                             .arg(e.Index));
                continue;
            }
            e.GoToSeries = e.Index * 1000;
        }
        e.Notes = NotesLineBreaks(ini.readString(section, QStringLiteral("Notes"), section));
        e.Prefix = NativeName(ini.readInteger(section, QStringLiteral("Prefix"), 0));
        const QString flag = ini.readString(section, QStringLiteral("Flag"), section);
        e.Flag = ini.readInteger(flagTable, flag, -1);
        (e.Index >= AllCoinsClass ? worldWide : others).push_back(std::move(e));
    }
    worldWide.insert(worldWide.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()));
    return worldWide;
}

bool BuildCountriesData(const QString &iniPath, const QString &outPath)
{
    CurrProcGuard guard(Blocks::BuildCountriesData);
    const platform::IniFile ini(iniPath);
    const std::vector<tCountryItem> items = CountryItemsFromIni(ini);
    if (items.empty())
        return false;
    QSaveFile f(outPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(WriteCountryItems(items)) < 0 || !f.commit())
        throw std::runtime_error(
            QStringLiteral("Cannot write file \"%1\". %2").arg(outPath, f.errorString()).toStdString());
    return true;
}

// ---- What the window shows ----

QString CountryTitle(const tCountryItem &item)
{
    if (item.Prefix.startsWith(QLatin1Char('+')))
        return TakeOutAnds(item.Name) + QLatin1Char('\r') + item.Prefix.mid(1);
    return item.Prefix + QLatin1Char('\r') + TakeOutAnds(item.Name);
}

bool IsWorldWide(int index)
{
    return index == ExonumiaClass || index == FantasyClass || index == AllCoinsClass || index == AllPaperClass;
}

tGlobeAngles GlobeAngles(double latitude, double longitude)
{
    const double rad = longitude * std::numbers::pi / 180.0;
    return {std::cos(rad) * latitude, longitude, std::sin(rad) * latitude};
}

double GlobeCentreLatitude(const tGlobeAngles &a)
{
    // The tilt about X and Z together is the latitude, split by the
    // longitude; projecting back onto that direction gives it again, and
    // during a turn (one of them still 0) the part reached so far.
    const double rad = a.Y * std::numbers::pi / 180.0;
    return a.X * std::cos(rad) + a.Z * std::sin(rad);
}

tAddButton AddButtonFor(const tMainState &s, const tCountryItem &item)
{
    tAddButton b;
    if (item.GoToSeries > 0) {
        if (tnodeinfo *node = FindSeriesNode(s, item.GoToSeries)) {
            b.Text = QStringLiteral("Go To\rThis\rCountry");
            b.Picture = 8;
            b.GoTo = node->CoinType;
            return b;
        }
    }
    b.Text = QStringLiteral("Add This\r") + (item.tab == RegionsTab ? QStringLiteral("Region") : QStringLiteral("Country"));
    return b;
}

QString CountriesSelectedText(int count)
{
    return QString::number(count) + QStringLiteral(" Countries selected");
}

int KeyTargetIndex(int key, int current, int pageItems, const QStringList &names)
{
    const int count = static_cast<int>(names.size());
    if (count == 0)
        return -1;
    int index = current;
    switch (key) {
    case Qt::Key_Up: index = current - 1; break;
    case Qt::Key_Down: index = current + 1; break;
    case Qt::Key_PageUp: index = current - std::max(1, pageItems); break;
    case Qt::Key_PageDown: index = current + std::max(1, pageItems); break;
    default: {
        if (key < Qt::Key_A || key > Qt::Key_Z)
            return -1;
        const QChar letter = QChar(QLatin1Char(static_cast<char>('A' + (key - Qt::Key_A))));
        for (int i = 0; i < count; ++i) {
            if (names[i].isEmpty())
                continue;
            QChar first = names[i][0];
            if (first.unicode() < 128)
                first = first.toUpper();
            if (first == letter) {
                index = i;
                break;
            }
        }
    }
    }
    return std::clamp(index, 0, count - 1);
}

// ---- Adding ----

tnodeinfo *FindSeriesNode(const tMainState &s, int coinType)
{
    // An explicit stack rather than recursion: a collection's tree may be
    // any depth.
    if (!s.EntireCollection)
        return nullptr;
    std::vector<tnodeinfo *> stack{s.EntireCollection.get()};
    while (!stack.empty()) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        if (n->CoinType == coinType)
            return n;
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
    return nullptr;
}

tnodeinfo *AddCountryItems(tMainState &s, const std::vector<const tCountryItem *> &selected, int rememberedSeries)
{
    CurrProcGuard guard(Blocks::AddCountryItems);
    // The series is looked up by its number, never kept by address: after a
    // delete or a reload another series may live where it was.
    if (rememberedSeries > 0)
        if (tnodeinfo *there = FindSeriesNode(s, rememberedSeries))
            return there;
    tnodeinfo *target = nullptr;
    for (const tCountryItem *item : selected) {
        tnodeinfo *first = nullptr;
        // A country or region added here leaves the collection's series,
        // the collector's own among them, where they are.
        LoadCountryStructures(s, item->Index, StructureAddUpdate, false, first, true);
        if (!target && first)
            target = first;
    }
    Q_EMIT s.Events->ReloadPriceLists();
    if (!target)
        return nullptr;
    CalcNodeEntries(s);
    CalcNodeDates(s);
    if (!selected.empty() && selected.back()->GoToSeries > 0)
        if (tnodeinfo *goTo = FindSeriesNode(s, selected.back()->GoToSeries))
            target = goTo;
    return target;
}
