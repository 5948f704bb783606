#pragma once
// The texts of the About box: what the program is and how much the open
// collection holds, and a description of the system it runs on. The counts
// and the system are passed in, so the texts can be checked without a
// window and without the machine they run on.
#include <QString>

struct tMainState;
struct tnodeinfo;

// The size of the collection as the box shows it.
struct tAboutCounts {
    qsizetype Coins = 0;   // entries of CoinList
    qsizetype Prices = 0;  // entries of PriceList
    qsizetype Series = 0;  // CountNodes
};

// Every node of the tree below and including top; an empty collection
// (its root alone) gives 1, no tree gives 0.
qsizetype CountNodes(const tnodeinfo *top);
tAboutCounts AboutCounts(const tMainState &s);

// The operating system as the box describes it.
struct tSystemDescription {
    QString Description;  // one line, as the system names itself
    QString Platform;     // "Linux", "Windows", "MacOS" or "UNKNOWN"
    QString Build;
    int Major = 0;
    int Minor = 0;
    QString Name;
    int ServicePackMajor = 0;
    int ServicePackMinor = 0;
};
// The system this program runs on.
tSystemDescription CurrentSystem();
// The platform's name for a kernel kind as QSysInfo::kernelType() gives it.
QString PlatformName(const QString &kernelType);

// The edition of this build: the platform it was built for.
QString ProgramEdition();

// Version, edition and the counts, one to a line ("\n").
QString AboutProgramText(const QString &version, const QString &edition, const tAboutCounts &counts);
// An empty first line, then the system's lines.
QString AboutSystemText(const tSystemDescription &system);
