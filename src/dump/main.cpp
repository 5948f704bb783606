// orvanta-dump: reads one of the program's files with the program's own
// reader and prints it as JSON, or rewrites it with the program's writer.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextStream>

#include "dump/dumpprices.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const bool rewrite = args.size() == 4 && args[1] == QLatin1String("--rewrite");
    const QString in = rewrite ? args[2] : args.value(1);
    if ((args.size() != 2 && !rewrite) || !IsPriceListFile(QFileInfo(in).fileName())) {
        err << "usage: orvanta-dump FILE | orvanta-dump --rewrite IN OUT\n";
        return 2;
    }
    try {
        QFile f(in);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error((in + QStringLiteral(": ") + f.errorString()).toStdString());
        const QByteArray bytes = f.readAll();
        if (rewrite) {
            QSaveFile o(args[3]);
            if (!o.open(QIODevice::WriteOnly) || o.write(RewritePriceList(bytes)) < 0 || !o.commit())
                throw std::runtime_error((args[3] + QStringLiteral(": ") + o.errorString()).toStdString());
            return 0;
        }
        QJsonObject json;
        const bool whole = PriceListToJson(bytes, json);
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
        return whole ? 0 : 1;
    } catch (const std::exception &e) {
        err << e.what() << "\n";
        return 1;
    }
}
