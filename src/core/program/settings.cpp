#include "core/program/settings.h"

#include <QtEndian>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/program/errorreport.h"
#include "core/program/log.h"
#include "platform/settingsstore.h"

using platform::SettingType;
using platform::SettingValue;

const std::vector<tShortcutSlot> &ShortcutSlots()
{
    using L = QLatin1StringView;
    static const std::vector<tShortcutSlot> slots{
        {1, L("Menu_open"), 0},
        {2, L("SaveCoinData1"), 0},
        {3, L("SavePriceData1"), 0},
        {5, L("Addcountries1"), 0},
        {6, L("UserGrades1"), 0},
        {7, L("Userfields1"), 0},
        {8, L("Expandall1"), 0},
        {9, L("Collapseall1"), 0},
        {10, L("QuarterForm1"), 0},
        {11, L("Tipoftheday1"), 0},
        {12, L("Bullionvalues1"), 0},
        {13, L("NationalBanklist1"), 0},
        {14, L("Polygoncoinstool1"), 0},
        {15, L("SerialNumberexplorer1"), 0},
        {16, L("Hebrewdateconverter1"), 0},
        {17, L("Romannumberconverter1"), 0},
        {18, L("Arabdateconverter1"), 0},
        {19, L("BurmeseDateConverter1"), 0},
        {20, L("ThaiDateConverter1"), 0},
        {21, L("BengaliDateConverter1"), 0},
        {22, L("NapaleseDateConverter1"), 0},
        {23, L("JapaneseDateConverter1"), 0},
        {24, L("ChinaDateConverter1"), 0},
        {25, L("EthiopianDateConverter1"), 0},
        {26, L("VisitQuillfenSoftware1"), 0},
        {27, L("FaceBook1"), 0},
        {29, L("AboutOrvanta1"), 0},
        {30, L("Searchfortext1"), 0},
        {31, L("FindCatalog1"), 0},
        {32, L("Findnexttrackedcoin1"), 0},
        {33, L("Trackallcoinsinselectedseries1"), 0},
        {34, L("Untrackallcoinsinselectedseries1"), 0},
        {35, L("PullToFront1"), 123},     // F12
        {36, L("ResizeMainWindow1"), 122}, // F11
        {37, L("Findcoinbyitemnumber1"), 0},
        {38, L("Searchtrack1"), 0},
        {39, L("PreviousItem1"), 16464},   // Ctrl+P
        {40, L("NextItem1"), 16462},       // Ctrl+N
        {41, L("CopyPrices1"), 0},
        {42, L("PastePrices1"), 0},
    };
    return slots;
}

QString ShortcutValueName(int slot)
{
    return QStringLiteral("S") + QString::number(slot);
}

QString RecentFileValueName(int digit)
{
    return QStringLiteral("RF") + QString::number(digit);
}

const std::vector<tRegValue> &RegValues()
{
    static const std::vector<tRegValue> values = [] {
        using T = tRegType;
        using namespace RegName;
        std::vector<tRegValue> v{
            {AutoSave, T::Bool},        {AutoBin, T::Bool},          {StatusIcons, T::Bool},
            {GoldPrice, T::Money},      {PalladiumPrice, T::Money},  {SilverPrice, T::Money},
            {PlatinumPrice, T::Money},  {MetalDate, T::Integer},     {AutoSpotPrices, T::Bool},
            {CurrencyIndex, T::Integer}, {WindowWidth, T::Integer},  {WindowHeight, T::Integer},
            {WindowLeft, T::Integer},   {WindowTop, T::Integer},     {FullScreen, T::Bool},
            {Repository, T::String},    {LargeText, T::Bool},        {ShowHave, T::Bool},
            {ShowNeed, T::Bool},        {ShowSell, T::Bool},         {ShowSold, T::Bool},
            {Thumbnails, T::Bool},      {TipIndex, T::Integer},      {ShowTips, T::Bool},
        };
        for (const tShortcutSlot &slot : ShortcutSlots())
            v.push_back({ShortcutValueName(slot.Slot), T::Integer});
        v.push_back({Report, T::String});
        for (int d = 0; d <= 9; ++d)
            v.push_back({RecentFileValueName(d), T::String});
        v.push_back({SearchHistory, T::String});
        v.push_back({PLU, T::String});
        v.push_back({PushNote, T::String});
        v.push_back({RequireTls, T::Bool});
        for (QLatin1StringView link : {MakerWebSite, MakerVideoPage, MakerEMail})
            v.push_back({link, T::String});
        return v;
    }();
    return values;
}

bool ReadRegBool(const QString &Name, bool Default)
{
    return ReadRegInteger(Name, Default ? 1 : 0) != 0;
}

int32_t ReadRegInteger(const QString &Name, int32_t Default)
{
    CurrProcGuard guard(Blocks::ReadSetting);
    const std::optional<SettingValue> v = platform::settings().read(Name);
    return v && v->Type == SettingType::Integer ? v->Integer : Default;
}

QString ReadRegString(const QString &Name, const QString &Default)
{
    CurrProcGuard guard(Blocks::ReadSetting);
    const std::optional<SettingValue> v = platform::settings().read(Name);
    if (!v)
        return {};
    return v->Type == SettingType::String ? v->Text : Default;
}

Money ReadRegCurrency(const QString &Name)
{
    CurrProcGuard guard(Blocks::ReadSetting);
    const std::optional<SettingValue> v = platform::settings().read(Name);
    if (!v || v->Type != SettingType::Binary || v->Bytes.size() != 8)
        return 0;
    return qFromLittleEndian<qint64>(v->Bytes.constData());
}

void WriteRegBool(const QString &Name, bool Value)
{
    WriteRegInteger(Name, Value ? 1 : 0);
}

void WriteRegInteger(const QString &Name, int32_t Value)
{
    CurrProcGuard guard(Blocks::WriteSetting);
    platform::settings().write(Name, SettingValue::integer(Value));
}

void WriteRegString(const QString &Name, const QString &Value)
{
    CurrProcGuard guard(Blocks::WriteSetting);
    platform::settings().write(Name, SettingValue::string(Value));
}

void WriteRegCurrency(const QString &Name, Money Value)
{
    CurrProcGuard guard(Blocks::WriteSetting);
    QByteArray bytes(8, '\0');
    qToLittleEndian<qint64>(Value, bytes.data());
    platform::settings().write(Name, SettingValue::binary(bytes));
}

tWindowPlacement PlaceMainWindow(const tWindowPlacement &stored, QSize screen)
{
    const int sw = screen.width();
    const int sh = screen.height();
    tWindowPlacement p;
    if (stored.Width < MinStoredWindowSide || stored.Height < MinStoredWindowSide) {
        // Whole-number arithmetic truncates exactly where 0.8 * width in
        // floating point could land a hair below the whole number.
        p.Width = static_cast<int>(qint64(sw) * 80 / 100);
        p.Height = static_cast<int>(qint64(sh) * 80 / 100);
        p.Left = static_cast<int>(qint64(sw) * 10 / 100);
        p.Top = static_cast<int>(qint64(sh) * 10 / 100);
        return p;
    }
    p = stored;
    if (p.Width > sw) {
        p.Width = sw;
        p.Left = 0;
    }
    if (p.Height > sh) {
        p.Height = sh;
        p.Top = 0;
    }
    if (p.Left < 0)
        p.Left = 0;
    if (p.Top < 0)
        p.Top = 0;
    if (qint64(p.Left) + p.Width > sw)
        p.Left = sw - p.Width;
    if (qint64(p.Top) + p.Height > sh)
        p.Top = sh - p.Height;
    return p;
}

namespace {

void ReadFormState(tMainState &s, QSize screen)
{
    s.AutoSave = ReadRegBool(RegName::AutoSave, true);
    s.AutoBin = ReadRegBool(RegName::AutoBin, true);
    s.StatusIcons = ReadRegBool(RegName::StatusIcons, false);
    s.MetalValues[1] = ReadRegCurrency(RegName::GoldPrice);
    s.MetalValues[2] = ReadRegCurrency(RegName::PalladiumPrice);
    s.MetalValues[0] = ReadRegCurrency(RegName::SilverPrice);
    s.MetalValues[3] = ReadRegCurrency(RegName::PlatinumPrice);
    s.MetalValuesDate = ReadRegInteger(RegName::MetalDate, 0);
    s.AutoSpotPrices = ReadRegBool(RegName::AutoSpotPrices, true);
    // -1 is out of range on purpose: start-up then picks US dollars.
    s.ActiveForexIndex = ReadRegInteger(RegName::CurrencyIndex, -1);

    tWindowPlacement stored;
    stored.Width = ReadRegInteger(RegName::WindowWidth, 0);
    stored.Height = ReadRegInteger(RegName::WindowHeight, 0);
    stored.Left = ReadRegInteger(RegName::WindowLeft, 0);
    stored.Top = ReadRegInteger(RegName::WindowTop, 0);
    if (stored.Width >= MinStoredWindowSide && stored.Height >= MinStoredWindowSide)
        stored.Maximised = ReadRegBool(RegName::FullScreen, false);
    s.MainWindowPlacement = PlaceMainWindow(stored, screen);

    s.RepositoryPath = ReadRegString(RegName::Repository, QString());
    s.HighContrast = ReadRegBool(RegName::LargeText, false);
    s.ViewHave = ReadRegBool(RegName::ShowHave, true);
    s.ViewNeed = ReadRegBool(RegName::ShowNeed, true);
    s.ViewSell = ReadRegBool(RegName::ShowSell, true);
    s.ViewSold = ReadRegBool(RegName::ShowSold, true);
    s.ThumbNailsOut = ReadRegBool(RegName::Thumbnails, false);
    s.TipIndex = ReadRegInteger(RegName::TipIndex, 0);
    s.UseTips = ReadRegBool(RegName::ShowTips, true);
    s.MenuShortcuts.fill(0);
    for (const tShortcutSlot &slot : ShortcutSlots())
        s.MenuShortcuts[slot.Slot] = ReadRegInteger(ShortcutValueName(slot.Slot), slot.Default);
    s.DefaultReport = ReadRegString(RegName::Report, QString());
    s.UpdateServerHost = ReadRegString(RegName::UpdateServer, QString()).trimmed();
    s.RequireTls = ReadRegBool(RegName::RequireTls, false);
}

} // namespace

void LoadFormState(tMainState &s, QSize screen)
{
    CurrProcGuard guard(Blocks::LoadFormState);
    LogEntry(QStringLiteral("Load.FormState"));
    try {
        ReadFormState(s, screen);
    } catch (const platform::SettingsError &e) {
        // A settings file that cannot be read must not stop the program from
        // starting. This run takes the defaults; the store never overwrites
        // a file it could not read, so the user's settings wait untouched
        // for the cause to be mended. The user is told why.
        platform::SettingsStore &unreadable = platform::settings();
        platform::MemorySettingsStore defaults;
        platform::setSettingsStore(&defaults);
        ReadFormState(s, screen);
        platform::setSettingsStore(&unreadable);
        AppException(e);
    }
    LogEntry(QStringLiteral(" <Done>"), true);
}

bool WriteFormState(const tMainState &s, const tClosingWindow &closing)
{
    CurrProcGuard guard(Blocks::WriteFormState);
    try {
        WriteRegInteger(RegName::CurrencyIndex, s.ActiveForexIndex);
        WriteRegBool(RegName::FullScreen, closing.Window.Maximised);
        if (!closing.Window.Maximised) {
            WriteRegInteger(RegName::WindowWidth, closing.Window.Width);
            WriteRegInteger(RegName::WindowHeight, closing.Window.Height);
            WriteRegInteger(RegName::WindowLeft, closing.Window.Left);
            WriteRegInteger(RegName::WindowTop, closing.Window.Top);
        }
        WriteRegBool(RegName::ShowHave, s.ViewHave);
        WriteRegBool(RegName::ShowNeed, s.ViewNeed);
        WriteRegBool(RegName::ShowSell, s.ViewSell);
        WriteRegBool(RegName::ShowSold, s.ViewSold);
        WriteRegBool(RegName::Thumbnails, s.ThumbNailsOut);
        WriteRegBool(RegName::LargeText, s.HighContrast);
        for (const tShortcutSlot &slot : ShortcutSlots())
            WriteRegInteger(ShortcutValueName(slot.Slot), s.MenuShortcuts[slot.Slot]);
        WriteRegString(RegName::Report, closing.SelectedReport);
        WriteRegBool(RegName::AutoSave, s.AutoSave);
        WriteRegBool(RegName::AutoBin, s.AutoBin);
        WriteRegBool(RegName::StatusIcons, s.StatusIcons);
        return true;
    } catch (const std::exception &e) {
        LogEntry(QStringLiteral("Settings not saved: ") + QString::fromUtf8(e.what()));
        return false;
    }
}
