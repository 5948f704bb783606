// orvanta-catalogue: turns the sample catalogue's readable source into the
// default-structure files and "Countries.Data" that the program embeds.
//   orvanta-catalogue SOURCE-FOLDER OUTPUT-FOLDER
#include <exception>

#include <QCoreApplication>
#include <QTextStream>

#include "catalogue/cataloguesource.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: orvanta-catalogue SOURCE-FOLDER OUTPUT-FOLDER\n";
        return 2;
    }
    try {
        WriteCatalogue(ReadCatalogueSource(args[1]), args[2]);
    } catch (const std::exception &e) {
        err << "orvanta-catalogue: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
