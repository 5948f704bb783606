#include "core/model/gradetitles.h"

#include <QStringList>

#include "platform/cp1252.h"

namespace {

bool InRange(int kind, int scale, int grade)
{
    return kind >= 0 && kind < GradeKinds && scale >= 0 && scale < GradeScales && grade >= -1 && grade <= 40;
}

// Titles from grade 0 upwards.
void FillFrom(tGradeTitles &t, int kind, int scale, int firstGrade, const QStringList &titles)
{
    int grade = firstGrade;
    for (const QString &title : titles)
        t.SetTitle(kind, scale, grade++, title);
}

QStringList Run(const QString &prefix, int from, int to, const QString &suffix = {})
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << prefix + QString::number(i) + suffix;
    return out;
}

} // namespace

QString FitGradeTitle(const QString &title)
{
    return platform::fromCp1252(platform::toCp1252(title).left(MaxGradeTitleLength));
}

QString tGradeTitles::Title(int kind, int scale, int grade) const
{
    if (!InRange(kind, scale, grade))
        return {};
    return titles_[kind][scale][grade + 1];
}

void tGradeTitles::SetTitle(int kind, int scale, int grade, const QString &title)
{
    if (!InRange(kind, scale, grade))
        return;
    titles_[kind][scale][grade + 1] = FitGradeTitle(title);
}

void tGradeTitles::Clear()
{
    for (auto &kind : titles_)
        for (auto &scale : kind)
            scale.fill(QString());
}

void FillBuiltInGradeTitles(tGradeTitles &t)
{
    t.Clear();
    // The first nineteen slots share their names between coins and notes
    // only in part, so both lists are written out whole.
    FillFrom(t, GradeKindCoins, 0, 0,
             QStringList{QStringLiteral("PO-1"), QStringLiteral("FR-2"), QStringLiteral("AG-3"), QStringLiteral("G-4"),
                         QStringLiteral("G-6"), QStringLiteral("VG-8"), QStringLiteral("VG-10"), QStringLiteral("F-12"),
                         QStringLiteral("F-15"), QStringLiteral("VF-20"), QStringLiteral("VF-25"),
                         QStringLiteral("VF-30"), QStringLiteral("VF-35"), QStringLiteral("EF-40"),
                         QStringLiteral("EF-45"), QStringLiteral("AU-50"), QStringLiteral("AU-53"),
                         QStringLiteral("AU-55"), QStringLiteral("AU-58")}
                 + Run(QStringLiteral("MS-"), 60, 70) + Run(QStringLiteral("PF-"), 60, 70));

    FillFrom(t, GradeKindPaper, 0, 0,
             QStringList{QStringLiteral("Poor1"),  QStringLiteral("Fair2"),  QStringLiteral("AG-3"),
                         QStringLiteral("Good4"),  QStringLiteral("Good6"),  QStringLiteral("VG-8"),
                         QStringLiteral("VG-10"),  QStringLiteral("Fine12"), QStringLiteral("Fine15"),
                         QStringLiteral("VF-20"),  QStringLiteral("VF-25"),  QStringLiteral("VF-30"),
                         QStringLiteral("VF-35"),  QStringLiteral("EF-40"),  QStringLiteral("EF-45"),
                         QStringLiteral("AN-50"),  QStringLiteral("AN-53"),  QStringLiteral("AN-55"),
                         QStringLiteral("AN-58"),  QStringLiteral("New60"),  QStringLiteral("New61"),
                         QStringLiteral("New62"),  QStringLiteral("CN-63"),  QStringLiteral("VCN-64"),
                         QStringLiteral("GN-65"),  QStringLiteral("GN-66"),  QStringLiteral("SGN-67"),
                         QStringLiteral("SGN-68"), QStringLiteral("SGN-69"), QStringLiteral("PN-70")});

    // Decimal scale: slot 1 stays empty, the scale goes on from slot 2.
    t.SetTitle(GradeKindCoins, 4, 0, QStringLiteral("NGCX 1"));
    FillFrom(t, GradeKindCoins, 4, 2,
             QStringList{QStringLiteral("NGCX 1.5"), QStringLiteral("NGCX 2"),   QStringLiteral("NGCX 2.5"),
                         QStringLiteral("NGCX 3"),   QStringLiteral("NGCX 3.5"), QStringLiteral("NGCX 4"),
                         QStringLiteral("NGCX 4.5"), QStringLiteral("NGCX 5"),   QStringLiteral("NGCX 5.5"),
                         QStringLiteral("NGCX 6"),   QStringLiteral("NGCX 6.5"), QStringLiteral("NGCX 7"),
                         QStringLiteral("NGCX 7.5"), QStringLiteral("NGCX 8"),   QStringLiteral("NGCX 8.3"),
                         QStringLiteral("NGCX 8.5"), QStringLiteral("NGCX 8.8"), QStringLiteral("NGCX MS9")}
                 + Run(QStringLiteral("NGCX MS9."), 1, 9) + QStringList{QStringLiteral("NGCX MS10"), QStringLiteral("NGCX PF9")}
                 + Run(QStringLiteral("NGCX PF9."), 1, 9) + QStringList{QStringLiteral("NGCX PF10")});
}
