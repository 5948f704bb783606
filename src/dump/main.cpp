// orvanta-dump: reads one of the program's files with the program's own
// reader and prints it as JSON, or rewrites it with the program's writer.
#include <QCoreApplication>
#include <QTextStream>

#include "dump/dumpprices.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() == 2 && IsPriceListFile(args[1]))
        return DumpPriceList(args[1], out, err);
    if (args.size() == 4 && args[1] == QLatin1String("--rewrite") && IsPriceListFile(args[2]))
        return RewritePriceList(args[2], args[3], err);
    err << "usage: orvanta-dump FILE | orvanta-dump --rewrite IN OUT\n";
    return 2;
}
