// orvanta-dump: reads one of the program's files with the program's own
// reader and prints it as JSON, or rewrites it with the program's writer.
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    err << "usage: orvanta-dump FILE | orvanta-dump --rewrite IN OUT\n";
    return 2;
}
