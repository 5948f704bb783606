// orvanta-dump: reads one of the program's files with the program's own
// reader and prints it as JSON, or rewrites it with the program's writer.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextStream>

#include <functional>
#include <stdexcept>

#include "dump/dumpstructures.h"
#include "pricing/spotprices.h"

namespace {

// One kind of file the tool knows: how to recognise it by name, print it
// and write it back. print returns false when the file is damaged (what
// was readable is still printed).
struct tFileKind {
    std::function<bool(const QString &fileName)> matches;
    std::function<bool(const QByteArray &bytes, QJsonObject &out)> print;
    std::function<QByteArray(const QByteArray &bytes)> rewrite;
};

const std::vector<tFileKind> &Kinds()
{
    static const std::vector<tFileKind> kinds{
        {[](const QString &name) { return name.compare(QLatin1String(SpotPricesFileName), Qt::CaseInsensitive) == 0; },
         [](const QByteArray &bytes, QJsonObject &out) {
             const tSpotFile f = ReadSpotFile(bytes);
             out = SpotFileToJson(f);
             return f.Complete();
         },
         [](const QByteArray &bytes) {
             const tSpotFile f = ReadSpotFile(bytes);
             if (!f.Complete())
                 throw std::runtime_error(f.Error.toStdString());
             return WriteSpotFile(f);
         }},
    };
    return kinds;
}

const tFileKind *KindOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    for (const tFileKind &k : Kinds())
        if (k.matches(name))
            return &k;
    return nullptr;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error((path + QStringLiteral(": ") + f.errorString()).toStdString());
    return f.readAll();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() == 2 && IsStructureFile(args[1]))
        return DumpStructureFile(args[1], out, err);
    const bool rewrite = args.size() == 4 && args[1] == QLatin1String("--rewrite");
    if (args.size() != 2 && !rewrite) {
        err << "usage: orvanta-dump FILE | orvanta-dump --rewrite IN OUT\n";
        return 2;
    }
    const QString in = rewrite ? args[2] : args[1];
    const tFileKind *kind = KindOf(in);
    if (!kind) {
        err << in << ": not a file orvanta-dump knows\n";
        return 2;
    }
    try {
        const QByteArray bytes = ReadAll(in);
        if (rewrite) {
            QSaveFile f(args[3]);
            if (!f.open(QIODevice::WriteOnly) || f.write(kind->rewrite(bytes)) < 0 || !f.commit())
                throw std::runtime_error((args[3] + QStringLiteral(": ") + f.errorString()).toStdString());
            return 0;
        }
        QJsonObject json;
        const bool whole = kind->print(bytes, json);
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
        return whole ? 0 : 1;
    } catch (const std::exception &e) {
        err << e.what() << "\n";
        return 1;
    }
}
