#include <QtTest>

#include "pricing/pricelists/priceeditrules.h"
#include "pricing/valuation/valuation.h"

// The price grid's window rules without a window: cells, selection, ink,
// arrows, the editor of each row kind and what each key does in it.
namespace {

// Coins: the ten header kinds, then grade slots 0, 1, 5 and 30 shown.
std::vector<int> CoinXref() { return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 40}; }
// Paper money: six header kinds, then slots 0 and 1.
std::vector<int> PaperXref() { return {0, 1, 2, 3, 4, 9, 10, 11}; }

tPriceGridGeometry Geometry(int cols, int rows)
{
    tPriceGridGeometry g;
    g.ColsNeeded = cols;
    g.RowsNeeded = rows;
    return g;
}

} // namespace

class tst_PriceEditRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void screenCellToKindAndEntry_data()
    {
        QTest::addColumn<bool>("paper");
        QTest::addColumn<int>("hValue");
        QTest::addColumn<int>("vValue");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("lcol");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("entry");
        // 5 entries in the list.
        QTest::newRow("title of the year") << false << 0 << 0 << 0 << 0 << 0 << int(PriceKindYear) << -1;
        QTest::newRow("first entry, first grade") << false << 0 << 0 << 1 << 10 << 1 << 10 << 0;
        QTest::newRow("scrolled right") << false << 2 << 0 << 1 << 3 << 3 << int(PriceKindGM) << 2;
        QTest::newRow("title column never scrolls") << false << 2 << 0 << 0 << 4 << 0 << int(PriceKindMintage) << -1;
        QTest::newRow("header rows stay when scrolled down") << false << 0 << 2 << 2 << 9 << 2 << int(PriceKindCatalog) << 1;
        QTest::newRow("grade rows scroll down") << false << 0 << 2 << 2 << 10 << 2 << 15 << 1;
        QTest::newRow("below the last kind") << false << 0 << 2 << 1 << 12 << 1 << -1 << 0;
        QTest::newRow("past the last entry") << false << 3 << 0 << 3 << 0 << 6 << int(PriceKindYear) << -1;
        QTest::newRow("paper: six header rows") << true << 0 << 0 << 1 << 5 << 1 << int(PriceKindCatalog) << 0;
        QTest::newRow("paper: grade row scrolled") << true << 0 << 1 << 1 << 6 << 1 << 11 << 0;
    }
    void screenCellToKindAndEntry()
    {
        QFETCH(bool, paper);
        QFETCH(int, hValue);
        QFETCH(int, vValue);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, lcol);
        QFETCH(int, kind);
        QFETCH(int, entry);
        const tPriceCellRef ref = PriceCellAt(paper ? PaperXref() : CoinXref(), paper, hValue, vValue, 5, col, row);
        QCOMPARE(ref.LCol, lcol);
        QCOMPARE(ref.Kind, kind);
        QCOMPARE(ref.Entry, entry);
    }

    void selectionStaysOnVisibleCells_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("hValue");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("clampedCol");
        QTest::addColumn<int>("clampedRow");
        QTest::addColumn<int>("entry");
        // 4 visible columns (titles and three entries), 12 visible rows.
        QTest::newRow("inside") << 2 << 5 << 0 << 9 << 2 << 5 << 1;
        QTest::newRow("scrolled") << 2 << 5 << 4 << 9 << 2 << 5 << 5;
        QTest::newRow("right of the last column") << 7 << 3 << 0 << 9 << 3 << 3 << 2;
        QTest::newRow("below the last row") << 1 << 30 << 0 << 9 << 1 << 11 << 0;
        QTest::newRow("negative") << -2 << -1 << 0 << 9 << 0 << 0 << -1;
        QTest::newRow("column without an entry") << 3 << 0 << 0 << 2 << 3 << 0 << -1;
    }
    void selectionStaysOnVisibleCells()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, hValue);
        QFETCH(int, entries);
        QFETCH(int, clampedCol);
        QFETCH(int, clampedRow);
        QFETCH(int, entry);
        const tPriceGridGeometry g = Geometry(4, 12);
        const auto [c, r] = ClampPriceSelection(g, col, row);
        QCOMPARE(c, clampedCol);
        QCOMPARE(r, clampedRow);
        QCOMPARE(SelectedPriceEntry(g, c, hValue, entries), entry);
        // An empty grid selects the corner and no entry.
        QCOMPARE(ClampPriceSelection(Geometry(0, 0), col, row), std::make_pair(0, 0));
    }

    void inkAndArrows_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("hot");
        QTest::addColumn<bool>("runEnd");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<bool>("bold");
        QTest::newRow("title") << 0 << -1 << 3 << false << PriceColors::Black << false;
        QTest::newRow("ordinary entry") << 2 << 1 << 3 << false << PriceColors::DimGrey << false;
        QTest::newRow("last of a run") << 2 << 1 << 3 << true << PriceColors::Black << false;
        QTest::newRow("matching the coin") << 2 << 3 << 3 << true << PriceColors::DarkBlue << true;
        QTest::newRow("no entry, no coin") << 2 << -1 << -1 << false << PriceColors::DimGrey << false;
    }
    void inkAndArrows()
    {
        QFETCH(int, col);
        QFETCH(int, entry);
        QFETCH(int, hot);
        QFETCH(bool, runEnd);
        QFETCH(QColor, ink);
        QFETCH(bool, bold);
        const tPriceInk got = PriceCellInk(col, entry, hot, runEnd);
        QCOMPARE(got.Ink, ink);
        QCOMPARE(got.Bold, bold);
    }

    void arrowButtons_data()
    {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("hMax");
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("vMax");
        QTest::addColumn<QString>("enabled");  // left, right, up, down
        QTest::newRow("nothing to scroll") << 0 << 0 << 0 << 0 << "----";
        QTest::newRow("at the start") << 0 << 4 << 0 << 2 << "-R-D";
        QTest::newRow("in the middle") << 2 << 4 << 1 << 2 << "LRUD";
        QTest::newRow("at the end") << 4 << 4 << 2 << 2 << "L-U-";
    }
    void arrowButtons()
    {
        QFETCH(int, h);
        QFETCH(int, hMax);
        QFETCH(int, v);
        QFETCH(int, vMax);
        QFETCH(QString, enabled);
        const tPriceArrows a = PriceArrowStates(h, hMax, v, vMax);
        const QString got = QString(a.Left ? 'L' : '-') + (a.Right ? 'R' : '-') + (a.Up ? 'U' : '-') + (a.Down ? 'D' : '-');
        QCOMPARE(got, enabled);
    }

    void editorPerRowKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("editor");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        using E = tPriceEditor;
        QTest::newRow("year") << int(PriceKindYear) << int(E::Data) << 4 << "1921" << -1;
        QTest::newRow("mint trimmed") << int(PriceKindMint) << int(E::Mint) << 20 << "D" << -1;
        QTest::newRow("variety") << int(PriceKindVariety) << int(E::Data) << 30 << "Doubled die" << -1;
        QTest::newRow("grade modifier") << int(PriceKindGM) << int(E::GM) << 10 << "DMPL" << -1;
        QTest::newRow("large mintage in full, approximate") << int(PriceKindMintage) << int(E::Mintage) << 15
                                                            << "~2500000000" << -1;
        QTest::newRow("no proofs") << int(PriceKindProofs) << int(E::Mintage) << 15 << "" << -1;
        QTest::newRow("metal") << int(PriceKindMetal) << int(E::Metal) << 0 << "" << -1;
        QTest::newRow("content") << int(PriceKindContent) << int(E::Float) << 9 << ".7734" << -1;
        QTest::newRow("weight") << int(PriceKindWeight) << int(E::Float) << 7 << "26.73" << -1;
        QTest::newRow("catalogue number") << int(PriceKindCatalog) << int(E::Data) << 20 << "KM-110" << -1;
        QTest::newRow("amount") << int(PriceKindGrade0) << int(E::Value) << 0 << "1234.50" << -1;
        QTest::newRow("code") << PriceKindGrade0 + 1 << int(E::Value) << 0 << "n/a" << CodeNA - 1;
        QTest::newRow("last code") << PriceKindGrade0 + 2 << int(E::Value) << 0 << "Melt+25%" << CodeMelt25 - 1;
    }
    void editorPerRowKind()
    {
        QFETCH(int, kind);
        QFETCH(int, editor);
        QFETCH(int, limit);
        QFETCH(QString, text);
        QFETCH(int, code);
        tPriceInfo e;
        e.Year = 1921;
        e.Mint = QStringLiteral(" D ");
        e.Variety = QStringLiteral("Doubled die");
        e.GM = QStringLiteral("DMPL");
        e.Mintage = -250;
        e.Included = true;
        e.Content = 0.7734f;
        e.Weight = 26.73f;
        e.Catalog = QStringLiteral("KM-110 ");
        e.Value[0] = 12345000;
        e.Value[1] = ValueCodeToMoney(CodeNA);
        e.Value[2] = ValueCodeToMoney(CodeMelt25);
        const tPriceEditorChoice choice = PriceEditorFor(kind);
        QCOMPARE(int(choice.Editor), editor);
        QCOMPARE(choice.MaxLength, limit);
        QCOMPARE(PriceEditorText(e, kind, QLatin1Char('.')), text);
        QCOMPARE(PriceEditorCode(e, kind), code);
    }

    void amountOpensInTheLocaleNotation()
    {
        tPriceInfo e;
        e.Value[3] = 125000;
        QCOMPARE(PriceEditorText(e, PriceKindGrade0 + 3, QLatin1Char(',')), QStringLiteral("12,50"));
    }

    void keysPerEditor_data()
    {
        QTest::addColumn<int>("editor");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("codeShown");
        QTest::addColumn<bool>("comma");   // German separators: "," decimal, "." thousands
        QTest::addColumn<int>("action");
        using E = tPriceEditor;
        using A = tPriceKeyAction;
        const int grade = PriceKindGrade0;
        // Enter, keypad Enter, Ctrl+Enter and Esc in every editor, lists included.
        for (E e : {E::Data, E::Mint, E::GM, E::Mintage, E::Metal, E::Float, E::Value}) {
            const QByteArray n = QByteArray::number(int(e));
            QTest::newRow("Enter " + n) << int(e) << 0 << int(Qt::Key_Return) << false << "\r" << "" << false << false << int(A::NextRow);
            QTest::newRow("keypad Enter " + n) << int(e) << 0 << int(Qt::Key_Enter) << false << "\r" << "" << false << false << int(A::NextRow);
            QTest::newRow("Ctrl+Enter " + n) << int(e) << 0 << int(Qt::Key_Return) << true << "" << "" << false << false << int(A::PreviousRow);
            QTest::newRow("Esc " + n) << int(e) << 0 << int(Qt::Key_Escape) << false << "\x1b" << "" << false << false << int(A::Restore);
        }
        QTest::newRow("year takes digits") << int(E::Data) << int(PriceKindYear) << int(Qt::Key_1) << false << "1" << "" << false << false << int(A::Pass);
        QTest::newRow("year drops letters") << int(E::Data) << int(PriceKindYear) << int(Qt::Key_A) << false << "a" << "" << false << false << int(A::Drop);
        QTest::newRow("variety takes anything") << int(E::Data) << int(PriceKindVariety) << int(Qt::Key_A) << false << "a" << "" << false << false << int(A::Pass);
        QTest::newRow("mint takes anything") << int(E::Mint) << int(PriceKindMint) << int(Qt::Key_Minus) << false << "-" << "" << false << false << int(A::Pass);
        QTest::newRow("mintage ~") << int(E::Mintage) << int(PriceKindMintage) << int(Qt::Key_AsciiTilde) << false << "~" << "" << false << false << int(A::Pass);
        QTest::newRow("mintage thousands ,") << int(E::Mintage) << int(PriceKindMintage) << int(Qt::Key_Comma) << false << "," << "1" << false << false << int(A::Pass);
        QTest::newRow("mintage German thousands .") << int(E::Mintage) << int(PriceKindMintage) << int(Qt::Key_Period) << false << "." << "1" << false << true << int(A::Pass);
        QTest::newRow("mintage drops a German ,") << int(E::Mintage) << int(PriceKindMintage) << int(Qt::Key_Comma) << false << "," << "1" << false << true << int(A::Drop);
        QTest::newRow("float first decimal") << int(E::Float) << int(PriceKindWeight) << int(Qt::Key_Period) << false << "." << "26" << false << false << int(A::Pass);
        QTest::newRow("float second decimal") << int(E::Float) << int(PriceKindWeight) << int(Qt::Key_Period) << false << "." << "26.7" << false << false << int(A::Drop);
        QTest::newRow("float German decimal") << int(E::Float) << int(PriceKindWeight) << int(Qt::Key_Comma) << false << "," << "26" << false << true << int(A::Pass);
        QTest::newRow("float drops thousands") << int(E::Float) << int(PriceKindWeight) << int(Qt::Key_Comma) << false << "," << "26" << false << false << int(A::Drop);
        QTest::newRow("float passes arrows") << int(E::Float) << int(PriceKindWeight) << int(Qt::Key_Left) << false << "" << "26" << false << false << int(A::Pass);
        QTest::newRow("value - picks dashes") << int(E::Value) << grade << int(Qt::Key_Minus) << false << "-" << "12" << false << false << int(A::PickDashes);
        QTest::newRow("value s picks split") << int(E::Value) << grade << int(Qt::Key_S) << false << "s" << "" << true << false << int(A::PickSplit30);
        QTest::newRow("value S picks split") << int(E::Value) << grade << int(Qt::Key_S) << false << "S" << "" << false << false << int(A::PickSplit30);
        QTest::newRow("value digit over an amount") << int(E::Value) << grade << int(Qt::Key_7) << false << "7" << "12" << false << false << int(A::Pass);
        QTest::newRow("value digit over a code") << int(E::Value) << grade << int(Qt::Key_7) << false << "7" << "n/a" << true << false << int(A::ClearCodeAndType);
        QTest::newRow("value German decimal") << int(E::Value) << grade << int(Qt::Key_Comma) << false << "," << "12" << false << true << int(A::Pass);
        QTest::newRow("value drops letters") << int(E::Value) << grade << int(Qt::Key_X) << false << "x" << "12" << false << false << int(A::Drop);
        QTest::newRow("metal letter") << int(E::Metal) << int(PriceKindMetal) << int(Qt::Key_G) << false << "g" << "" << false << false << int(A::SelectByInitial);
        QTest::newRow("metal arrows pass to the list") << int(E::Metal) << int(PriceKindMetal) << int(Qt::Key_Down) << false << "" << "" << false << false << int(A::Pass);
        QTest::newRow("metal swallows digits") << int(E::Metal) << int(PriceKindMetal) << int(Qt::Key_5) << false << "5" << "" << false << false << int(A::Drop);
        QTest::newRow("metal swallows Tab") << int(E::Metal) << int(PriceKindMetal) << int(Qt::Key_Tab) << false << "\t" << "" << false << false << int(A::Drop);
    }
    void keysPerEditor()
    {
        QFETCH(int, editor);
        QFETCH(int, kind);
        QFETCH(int, key);
        QFETCH(bool, control);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(bool, codeShown);
        QFETCH(bool, comma);
        QFETCH(int, action);
        tNumberSeps seps;
        if (comma)
            seps = {QLatin1Char(','), QLatin1Char('.')};
        const tPriceKeyAction got =
            PriceEditorKey(static_cast<tPriceEditor>(editor), kind, {key, control, typed}, text, codeShown, seps);
        QCOMPARE(int(got), action);
    }

    void metalByInitial()
    {
        const QStringList names{QStringLiteral("Silver"), QStringLiteral("Gold"), QStringLiteral("Palladium"),
                                QStringLiteral("Platinum")};
        QCOMPARE(IndexByInitial(names, QLatin1Char('g')), 1);
        QCOMPARE(IndexByInitial(names, QLatin1Char('P')), 2);
        QCOMPARE(IndexByInitial(names, QLatin1Char('x')), -1);
    }
};

QTEST_GUILESS_MAIN(tst_PriceEditRules)
#include "tst_priceeditrules.moc"
