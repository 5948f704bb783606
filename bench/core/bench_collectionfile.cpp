// Reading and saving a collector's collection: 50,000 entries in 5,000
// series (50 countries of 100 series, 10 entries to a series), every entry
// with the fields a collector fills in (mint, variety, comment, two-line
// notes, three picture paths, further pictures with their names, user
// fields), names and notes in Latin with accents, Cyrillic, Greek and CJK
// script: about 17 MB.
//
// The figure that counts is BM_ReadAndSave against BM_WalkAndCopy: the
// least any reader and writer of these bytes must do is step over every
// tagged value and copy the file. BM_ReadAndSaveOverWalkAndCopy runs both in
// turn and reports the ratio of their best times, which a busy machine
// disturbs least.
//
// BM_ReadAndSaveFourTimes reads and saves a file four times as large
// (200,000 entries in 20,000 series, a quarter of them sharing another
// series' price list): the cost must grow in step with the data.
// BM_PeakMemory reads and saves each file in a process of its own, as the
// program does, and reports that process's peak memory against the file's
// size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/files/collectionfile.h"
#include "core/files/collectionsettings.h"
#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "core/files/valuestream.h"
#include "support/benchsize.h"

namespace {

const int Countries = BenchSize(50, 3);
const int SeriesPerCountry = BenchSize(100, 4);
const int EntriesPerSeries = BenchSize(10, 3);

// What a collector of one country writes, in that country's script.
struct tScript {
    const char16_t *Country;
    const char16_t *Folder;        // picture folder in the repository
    const char16_t *Series;        // %1 face value, %2 series number
    const char16_t *Mints[3];
    const char16_t *Varieties[3];
    const char16_t *Comments[2];
    const char16_t *Notes;         // %1 item number; two lines
    const char16_t *Stored[2];
    const char16_t *PictureNames;  // names of the further pictures, comma text
};

const tScript Scripts[] = {
    {u"United States", u"United States", u"%1 cents, Lincoln Memorial reverse, type %2",
     {u"P", u"D", u"S"}, {u"Doubled die obverse", u"Repunched mint mark", u""},
     {u"From the Smith collection", u""},
     u"Show lot %1, toned.\r\nCertificate in safe.",
     {u"Album 3", u"Safe"}, u"Edge,Slab,Certificate"},
    {u"France", u"France", u"%1 centimes, Marianne de Cocteau, série %2",
     {u"(a)", u"Pessac", u""}, {u"Tranche striée", u"Frappe médaille", u""},
     {u"Acheté à la bourse de Paris", u"Échange avec un ami"},
     u"Vente n° %1, patiné.\r\nCertificat joint.",
     {u"Médaillier 2", u"Coffre"}, u"Tranche,Étui,Certificat"},
    {u"Deutschland", u"Deutschland", u"%1 Pfennig, Eichenzweig, Reihe %2",
     {u"A", u"F", u"J"}, {u"Großer Adler", u"Prägefehler, Stempelriss", u""},
     {u"Aus der Sammlung Müller", u"Münzbörse Köln"},
     u"Börse, Los %1, Kratzer.\r\nMit Zertifikat.",
     {u"Album 2", u"Tresor"}, u"Rand,Kapsel,Zertifikat"},
    {u"Česko", u"Česko", u"%1 haléřů, Karlův most, řada %2",
     {u"Jablonec", u"", u""}, {u"Vroubkovaná hrana", u"Zkušební ražba", u""},
     {u"Koupeno na burze v Brně", u""},
     u"Aukce č. %1, škrábance.\r\nCertifikát.",
     {u"Album 1", u"Trezor"}, u"Hrana,Pouzdro,Certifikát"},
    {u"Россия", u"Россия", u"%1 копеек, Георгий Победоносец, серия %2",
     {u"СПМД", u"ММД", u""}, {u"Широкий кант", u"Шт. 1.1 по Федорину", u""},
     {u"Из коллекции Петрова", u"Обмен на форуме"},
     u"Лот %1, патина.\r\nСертификат в сейфе.",
     {u"Альбом 5", u"Сейф"}, u"Гурт,Слаб,Сертификат"},
    {u"Ελλάδα", u"Ελλάδα", u"%1 λεπτά, Τριήρης, σειρά %2",
     {u"Αθήνα", u"", u""}, {u"Ποικιλία Β", u"Δοκιμαστική κοπή", u""},
     {u"Από τη συλλογή Παπαδόπουλου", u""},
     u"Παρτίδα %1, πατίνα.\r\nΜε πιστοποιητικό.",
     {u"Άλμπουμ 2", u"Θυρίδα"}, u"Περιφέρεια,Θήκη,Πιστοποιητικό"},
    {u"日本", u"日本", u"%1円 稲穂 第%2集",
     {u"大阪", u"造幣局", u""}, {u"特年", u"エラー 刻印ずれ", u""},
     {u"東京の展示会で購入", u"友人との交換"},
     u"入札会で購入、ロット%1。\r\n鑑定書は金庫に保管。",
     {u"アルバム 4", u"金庫"}, u"縁,スラブ,鑑定書"},
    {u"中国", u"中国", u"%1分 国徽 第%2套",
     {u"沈阳", u"上海", u""}, {u"大字版", u"错版 双面", u""},
     {u"在北京钱币展购买", u""},
     u"拍卖会购买，拍品%1号。\r\n证书存放在保险箱中。",
     {u"册 6", u"保险箱"}, u"边齿,评级盒,证书"},
};
constexpr int ScriptCount = int(std::size(Scripts));

QString Text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// countries x SeriesPerCountry series of EntriesPerSeries entries. Every
// fourth series shares the price list of the series before it, as series of
// one design in several finishes do.
void BuildLargeCollection(tMainState &s, int countries = Countries)
{
    SetDefaultThemeNames(s);
    ClearStoredBox(s);
    ClearGradedByBox(s);
    s.ColumnLayout = QStringLiteral("0,75,1,54,2,64,3,64,4,132,5,75,6,75");
    const struct {
        int32_t Type;
        const char16_t *Label;
        const char16_t *Options;
    } fields[] = {
        {UDFTextBox, u"Provenance", u""},
        {UDFHistoryDropDown, u"Auction house", u""},
        {UDFCheckBox, u"Certified", u""},
        {UDFMoney, u"Insured value", u""},
        {UDFDate, u"Last checked", u""},
        {UDFPickList, u"Condition of slab", u"Good,Scratched,Cracked"},
    };
    int32_t id = 0;
    for (const auto &f : fields) {
        auto field = std::make_unique<tUDFfield>();
        field->ID = ++id;
        field->FieldType = f.Type;
        field->FieldLabel = Text(f.Label);
        field->Options = Text(f.Options);
        field->Length = 40;
        s.UDFlist.push_back(std::move(field));
    }
    int32_t item = 0;
    for (int c = 0; c < countries; ++c) {
        const tScript &script = Scripts[c % ScriptCount];
        const int country = 100 + c;
        tnodeinfo *top = AddChildNode(s.EntireCollection.get(), country * 1000);
        top->NodeName = Text(script.Country);
        top->NodeMode = NodeModeCountry;
        top->UpdateOK = true;
        const QString folder = QStringLiteral("R~") + Text(script.Folder) + QLatin1Char('\\');
        for (int k = 1; k <= SeriesPerCountry; ++k) {
            tnodeinfo *n = AddChildNode(top, country * 1000 + k);
            n->NodeName = Text(script.Series).arg(k).arg(c);
            n->FaceValueCode = QStringLiteral("USD");
            n->FaceValueAmount = k / 100.0f;
            n->Measure1 = 19.05f;
            n->Measure2 = 1.52f;
            n->CoinShape = 1;
            n->Themes = k % 7;
            n->Obverse = QStringLiteral("~obverse%1.jpg").arg(country * 1000 + k);
            n->Reverse = QStringLiteral("~reverse%1.jpg").arg(country * 1000 + k);
            n->UpdateOK = true;
            n->Favorite = k % 25 == 0;
            if (k % 4 == 0)
                n->PriceSource = n->CoinType - 1;
            for (int e = 0; e < EntriesPerSeries; ++e) {
                auto coin = std::make_unique<tCoinInfo>();
                ++item;
                const QString number = QString::number(item);
                coin->CoinType = n->CoinType;
                coin->Folder = n;
                coin->Year = 1950 + e + k % 40;
                coin->Mint = Text(script.Mints[e % 3]);
                coin->Variety = Text(script.Varieties[(e + k) % 3]);
                coin->GM = e % 4 == 0 ? QStringLiteral("PF") : QStringLiteral("MS");
                coin->Comment = e % 3 == 0 ? Text(script.Comments[e % 2]) : QString();
                coin->Grade = 20 + e;
                coin->Have = 1 + e % 2;
                coin->Need = e % 5 == 0 ? 1 : 0;
                coin->Gradedby = e % 3 == 0 ? QString() : QStringLiteral("PCGS");
                coin->Stored = Text(script.Stored[e % 2]);
                coin->BuyDate = 40000 + item % 7000;
                coin->BuyPrice = MoneyFromDouble(12.5 + e + k);
                if (e % 6 == 5) {
                    coin->SellDate = 44000 + item % 900;
                    coin->SellPrice = MoneyFromDouble(20.75 + e);
                }
                coin->Notes = Text(script.Notes).arg(item);
                coin->Obverse = folder + number + QStringLiteral("a.jpg");
                coin->Reverse = folder + number + QStringLiteral("b.jpg");
                coin->Receipt = QStringLiteral("D:\\Receipts\\%1\\").arg(2000 + e) +
                                number + QStringLiteral(".pdf");
                // Two further pictures, a third for every third entry.
                QStringList others = {folder + number + QStringLiteral("c.jpg"), folder + number + QStringLiteral("d.jpg")};
                QStringList names = CommaTextSplit(Text(script.PictureNames));
                if (e % 3 == 0)
                    others << folder + number + QStringLiteral("e.jpg");
                else
                    names.removeLast();
                coin->OtherImages = CommaTextJoin(others);
                coin->OtherImageNames = CommaTextJoin(names);
                coin->UDFstring = CommaTextJoin({e % 4 ? QString() : Text(script.Stored[1]), QStringLiteral("Heritage"),
                                                 e % 2 ? QStringLiteral("T") : QStringLiteral("F"),
                                                 QStringLiteral("%1.50").arg(10 + e * 3), QStringLiteral("45123"),
                                                 QStringLiteral("Good")});
                coin->MintError = e == 7;
                coin->User1 = e == 2;
                coin->Inventory = item;
                s.CoinList.push_back(std::move(coin));
            }
        }
    }
    s.MaxInventory = item;
}

// The benchmark's files live on a memory file system where there is one, so
// that the figures measure the program rather than the disk (a safe save
// waits for the data to reach it); ORVANTA_BENCH_DIR names another folder,
// a disk's, to include it.
QString BenchFolder()
{
    const QString chosen = qEnvironmentVariable("ORVANTA_BENCH_DIR");
    if (!chosen.isEmpty())
        return chosen;
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        return QStringLiteral("/dev/shm");
    return QDir::tempPath();
}

struct tBenchDir : QTemporaryDir {
    tBenchDir() : QTemporaryDir(BenchFolder() + QStringLiteral("/orvanta-bench-XXXXXX")) {}
};

struct tLargeFile {
    tBenchDir Dir;
    QString Path;
    qint64 Size = 0;
    explicit tLargeFile(int countries = Countries)
    {
        tMainState s;
        BuildLargeCollection(s, countries);
        Path = Dir.filePath(QStringLiteral("large.OVD"));
        SaveCollectionFile(s, Path);
        Size = QFile(Path).size();
    }
};

tLargeFile &LargeFile()
{
    static tLargeFile file;
    return file;
}

// Four times the collection above: 200,000 entries in 20,000 series.
tLargeFile &FourTimesFile()
{
    static tLargeFile file(4 * Countries);
    return file;
}

// ---------------------------------------------------------------- the least there is to do

uint32_t Le32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Steps over the tagged values in p..end without making any value. A
// payload running past end is left in skip for the next bytes; a value
// head cut off by end stops the walk there. Returns where it stopped, or
// nullptr when the bytes are no value stream.
const unsigned char *WalkSpan(const unsigned char *p, const unsigned char *end, qsizetype &skip, qsizetype &values)
{
    const qsizetype over = std::min<qsizetype>(skip, end - p);
    p += over;
    skip -= over;
    while (p < end) {
        const unsigned char *head = p;
        const unsigned char tag = *p++;
        qsizetype payload = 0;
        switch (tag) {
        case vaNull: case vaList: case vaFalse: case vaTrue: break;
        case vaInt8: payload = 1; break;
        case vaInt16: payload = 2; break;
        case vaInt32: case vaSingle: payload = 4; break;
        case vaInt64: case vaCurrency: payload = 8; break;
        case vaString:
            if (p >= end)
                return head;
            payload = 1 + *p;
            break;
        case vaLString: case vaUTF8String: case vaWString:
            if (end - p < 4)
                return head;
            payload = 4 + qsizetype(Le32(p)) * (tag == vaWString ? 2 : 1);
            break;
        default:
            return nullptr;
        }
        ++values;
        if (end - p < payload) {
            skip = payload - (end - p);
            return end;
        }
        p += payload;
    }
    return p;
}

// The whole of data; the number of values, or -1 when it is no value stream.
qsizetype WalkTags(const QByteArray &data)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData());
    const auto *end = p + data.size();
    qsizetype skip = 0, values = 0;
    return WalkSpan(p, end, skip, values) == end && skip == 0 ? values : -1;
}

QByteArray ReadAll(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

// Copies the file in blocks, as a copy program does, stepping over every
// tagged value on the way: the least a reader and writer of these bytes
// must do.
[[gnu::noinline]] bool WalkAndCopy(const QString &from, const QString &to)
{
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    constexpr qsizetype Block = 64 * 1024;
    constexpr qsizetype MaxHead = 5;
    std::vector<unsigned char> buf(Block + MaxHead);
    qsizetype carried = 0, skip = 0, values = 0;
    for (;;) {
        const qint64 got = in.read(reinterpret_cast<char *>(buf.data() + carried), Block);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(reinterpret_cast<const char *>(buf.data() + carried), got) != got)
            return false;
        const unsigned char *end = buf.data() + carried + got;
        const unsigned char *stop = WalkSpan(buf.data(), end, skip, values);
        if (!stop)
            return false;
        carried = end - stop;
        std::memmove(buf.data(), stop, size_t(carried));
    }
    return carried == 0 && skip == 0 && values > 0;
}

// The allocator defers part of the work of freeing many small blocks (the
// previous iteration's collection) to the next large allocation; done here,
// outside the timings, it is not charged to whichever side comes next.
void SettleFreedMemory()
{
#if defined(__GLIBC__)
    benchmark::DoNotOptimize(mallinfo2());
#endif
}

// Reads the collection as the program opens it and saves it as the program
// does: through a temporary file that replaces the target once complete.
// The state is made and freed outside, as opening a file finds it made.
[[gnu::noinline]] bool ReadAndSave(tMainState &s, const QString &from, const QString &to)
{
    if (!LoadDataFromFile(s, from, false))
        return false;
    SaveCollectionFile(s, to);
    return true;
}

void BM_TagWalk(benchmark::State &state)
{
    const QByteArray bytes = ReadAll(LargeFile().Path);
    qsizetype values = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(values = WalkTags(bytes));
    if (values <= 0)
        state.SkipWithError("the file is no value stream");
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["values"] = double(values);
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(BM_TagWalk)->Unit(benchmark::kMillisecond);

void BM_WalkAndCopy(benchmark::State &state)
{
    tLargeFile &file = LargeFile();
    const QString out = file.Dir.filePath(QStringLiteral("copy.OVD"));
    for (auto _ : state)
        if (!WalkAndCopy(file.Path, out)) {
            state.SkipWithError("the copy failed");
            return;
        }
    state.SetBytesProcessed(state.iterations() * file.Size);
}
BENCHMARK(BM_WalkAndCopy)->Unit(benchmark::kMillisecond);

// Reads file and saves it safely beside itself, once per iteration; the
// saved bytes must be those read.
void ReadAndSaveLoop(benchmark::State &state, tLargeFile &file, const QString &savedName)
{
    const QString out = file.Dir.filePath(savedName);
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<tMainState>();
        SettleFreedMemory();
        state.ResumeTiming();
        if (!ReadAndSave(*s, file.Path, out)) {
            state.SkipWithError("the collection did not load");
            return;
        }
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
    if (ReadAll(out) != ReadAll(file.Path))
        state.SkipWithError("the saved file differs from the one read");
    state.SetBytesProcessed(state.iterations() * file.Size);
}

void BM_ReadAndSave(benchmark::State &state)
{
    ReadAndSaveLoop(state, LargeFile(), QStringLiteral("saved.OVD"));
}
BENCHMARK(BM_ReadAndSave)->Unit(benchmark::kMillisecond);

// Both of the above in turn, so that a busy machine slows both alike; the
// ratio of their best times is the figure to keep within 3. Wall time and
// processor time (which other programs on the machine disturb less) are
// both reported.
void BM_ReadAndSaveOverWalkAndCopy(benchmark::State &state)
{
    tLargeFile &file = LargeFile();
    const QString copy = file.Dir.filePath(QStringLiteral("copy.OVD"));
    const QString saved = file.Dir.filePath(QStringLiteral("saved.OVD"));
    struct tTimes {
        double Wall = std::numeric_limits<double>::max();
        double Cpu = std::numeric_limits<double>::max();
    } walk, read;
    auto measure = [](tTimes &best, auto &&work) {
        timespec c0, c1;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
        const auto w0 = std::chrono::steady_clock::now();
        const bool ok = work();
        const auto w1 = std::chrono::steady_clock::now();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
        best.Wall = std::min(best.Wall, std::chrono::duration<double, std::milli>(w1 - w0).count());
        best.Cpu = std::min(best.Cpu, (c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) / 1e6);
        return ok;
    };
    for (auto _ : state) {
        auto s = std::make_unique<tMainState>();
        SettleFreedMemory();
        const bool copied = measure(walk, [&] { return WalkAndCopy(file.Path, copy); });
        const bool loaded = measure(read, [&] { return ReadAndSave(*s, file.Path, saved); });
        if (!copied || !loaded) {
            state.SkipWithError("the copy or the read failed");
            return;
        }
    }
    state.counters["walk_copy_ms"] = walk.Wall;
    state.counters["read_save_ms"] = read.Wall;
    state.counters["ratio"] = read.Wall / walk.Wall;
    state.counters["cpu_ratio"] = read.Cpu / walk.Cpu;
}
BENCHMARK(BM_ReadAndSaveOverWalkAndCopy)->Unit(benchmark::kMillisecond)->MinTime(BenchSmoke() ? 0.001 : 3);

// Read plus save of the file four times as large, for the growth: its time
// over BM_ReadAndSave's should stay near 4. Run alone, it also gives the peak
// memory of reading and saving it:
//   /usr/bin/time -v bench/core_bench_collectionfile --benchmark_filter=FourTimes
void BM_ReadAndSaveFourTimes(benchmark::State &state)
{
    tLargeFile &file = FourTimesFile();
    ReadAndSaveLoop(state, file, QStringLiteral("saved4.OVD"));
    state.counters["MB"] = double(file.Size) / 1e6;
}
BENCHMARK(BM_ReadAndSaveFourTimes)->Unit(benchmark::kMillisecond);

// Started as "--read-and-save FROM TO": the process reads FROM and saves it
// as TO, nothing else.
constexpr const char *ReadAndSaveArgument = "--read-and-save";

// Reads from, saves it as to and prints the peak memory of the process in
// kilobytes ("VmHWM": the high-water mark of this program's own memory,
// which unlike the resource usage a parent sees does not count what the
// parent held when it started this one).
int ReadAndSaveAlone(const char *from, const char *to)
{
    {
        tMainState s;
        if (!LoadDataFromFile(s, QString::fromLocal8Bit(from), false))
            return 1;
        SaveCollectionFile(s, QString::fromLocal8Bit(to));
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) {
            std::printf("%s\n", line.mid(6).trimmed().split(' ').value(0).constData());
            return 0;
        }
    return 1;
}

// The peak memory, in bytes, of this program started to read and save from
// as to; 0 when it failed.
double PeakOfReadAndSave(const QString &from, const QString &to)
{
    const QByteArray self = QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    char *argv[] = {const_cast<char *>(self.constData()), const_cast<char *>(ReadAndSaveArgument),
                    const_cast<char *>(a.constData()), const_cast<char *>(b.constData()), nullptr};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    QByteArray printed;
    char chunk[256];
    for (ssize_t got; spawned == 0 && (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        printed.append(chunk, got);
    close(pipeEnds[0]);
    if (spawned != 0)
        return 0;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 0;
    return printed.trimmed().toDouble() * 1024;
}

// Peak memory of a process that reads and saves the file (the program and
// its libraries included) over the file's size: arg 1 the collection, arg 4
// the one four times as large.
void BM_PeakMemory(benchmark::State &state)
{
    tLargeFile &file = state.range(0) == 4 ? FourTimesFile() : LargeFile();
    const QString out = file.Dir.filePath(QStringLiteral("peak.OVD"));
    double peak = 0;
    for (auto _ : state) {
        peak = PeakOfReadAndSave(file.Path, out);
        if (peak <= 0) {
            state.SkipWithError("the reading process failed");
            return;
        }
    }
    if (ReadAll(out) != ReadAll(file.Path))
        state.SkipWithError("the saved file differs from the one read");
    state.counters["file_MB"] = double(file.Size) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_over_file"] = peak / double(file.Size);
}
BENCHMARK(BM_PeakMemory)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadDataFromFile(benchmark::State &state)
{
    tLargeFile &file = LargeFile();
    tMainState s;
    for (auto _ : state) {
        if (!LoadDataFromFile(s, file.Path, false)) {
            state.SkipWithError("the collection did not load");
            return;
        }
    }
    if (s.CoinList.size() != size_t(Countries * SeriesPerCountry * EntriesPerSeries)) {
        state.SkipWithError("the collection did not load whole");
        return;
    }
    state.SetBytesProcessed(state.iterations() * file.Size);
    state.counters["entries"] = static_cast<double>(s.CoinList.size());
}
BENCHMARK(BM_LoadDataFromFile)->Unit(benchmark::kMillisecond);

// The whole save as the program does it: temporary file, then rename.
void BM_SaveCollectionFile(benchmark::State &state)
{
    tMainState s;
    BuildLargeCollection(s);
    tBenchDir dir;
    const QString path = dir.filePath(QStringLiteral("save.OVD"));
    for (auto _ : state)
        SaveCollectionFile(s, path);
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_SaveCollectionFile)->Unit(benchmark::kMillisecond);

void BM_WriteCollectionFile(benchmark::State &state)
{
    tMainState s;
    BuildLargeCollection(s);
    tBenchDir dir;
    QFile out(dir.filePath(QStringLiteral("write.OVD")));
    if (!out.open(QIODevice::ReadWrite)) {
        state.SkipWithError("cannot create the output file");
        return;
    }
    for (auto _ : state)
        WriteCollectionFile(s, out);
    state.SetBytesProcessed(state.iterations() * out.size());
}
BENCHMARK(BM_WriteCollectionFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], ReadAndSaveArgument) == 0)
        return ReadAndSaveAlone(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
