#include <QtTest>

#include "browse/tree/treeview.h"
#include "support/treefixture.h"

namespace {

// Every character is half the pixel size wide, so fitting is easy to reason
// about: a 20-character name needs 200 pixels at size 20.
double HalfSizeWidth(const QString &text, int size, bool, bool)
{
    return text.size() * size / 2.0;
}

struct tTreeFixture {
    tMainState s;
    QHash<QString, tnodeinfo *> n;
    tSeriesTree t{s};

    explicit tTreeFixture(const QString &outline, int width = 800, int height = 320)
    {
        n = BuildTree(s, outline);
        t.MeasureName = HalfSizeWidth;
        t.SetLayoutSize(width, height);
        t.BuildNodePorts();
        Refresh();
    }
    void Refresh()
    {
        t.CalcVisibleNodes();
        t.AssignNodePorts();
        t.RenderTree();
    }
    const tNodePort &Port(const QString &name) const
    {
        const int r = t.RowOf(n.value(name));
        if (r < 0)
            throw std::runtime_error("series not on screen");
        return t.NodePorts[static_cast<size_t>(r)];
    }
    QStringList VisibleNames() const
    {
        QStringList out;
        for (const tnodeinfo *v : s.VisibleNodeList)
            out << v->NodeName;
        return out;
    }
};

// A tree with nested last and non-last children, all expanded.
const QString Branches = QStringLiteral(
    "A +\n"
    "  A1 +\n"
    "    A1a\n"
    "  A2 +\n"
    "    A2a\n"
    "B +\n"
    "  B1\n");

QString GlyphString(const tNodePort &p, int columns)
{
    QStringList parts;
    for (int j = 0; j < columns; ++j)
        parts << QString::number(p.Glyphs[static_cast<size_t>(j)]);
    return parts.join(QLatin1Char(' '));
}

// Shown status slots from 9 down, as "slot:image".
QString StatusString(const tNodePort &p)
{
    QStringList parts;
    for (int slot = TreeStatusSlots - 1; slot >= 0; --slot)
        if (p.StatusGlyphs[static_cast<size_t>(slot)] >= 0)
            parts << QStringLiteral("%1:%2").arg(slot).arg(p.StatusGlyphs[static_cast<size_t>(slot)]);
    return parts.join(QLatin1Char(' '));
}

QString LongOutline(int children)
{
    QString o = QStringLiteral("A +\n");
    for (int i = 0; i < children; ++i)
        o += QStringLiteral("  L%1\n").arg(i);
    return o;
}

} // namespace

class tst_TreeView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void flattening_data()
    {
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QList<int>>("levels");
        QTest::addColumn<QList<int>>("siblings");
        QTest::addColumn<int>("selectedIndex");
        const QString root = QStringLiteral("Entire Collection");
        QTest::newRow("only the root") << QString() << root << QStringList{root} << QList<int>{0} << QList<int>{0} << 0;
        QTest::newRow("collapsed root hides everything")
            << QStringLiteral("-\nA +\n  A1") << QStringLiteral("A1") << QStringList{root} << QList<int>{0}
            << QList<int>{0} << -1;
        QTest::newRow("pre-order with depths and sibling indexes")
            << Branches << QStringLiteral("A2a")
            << QStringList{root, "A", "A1", "A1a", "A2", "A2a", "B", "B1"} << QList<int>{0, 1, 2, 3, 2, 3, 1, 2}
            << QList<int>{0, 0, 0, 0, 1, 0, 1, 0} << 5;
        QTest::newRow("a collapsed series skips its whole subtree")
            << QStringLiteral("A\n  A1 +\n    A1a\nB") << QStringLiteral("B") << QStringList{root, "A", "B"}
            << QList<int>{0, 1, 1} << QList<int>{0, 0, 1} << 2;
        QTest::newRow("selection inside a collapsed series is not visible")
            << QStringLiteral("A\n  A1") << QStringLiteral("A1") << QStringList{root, "A"} << QList<int>{0, 1}
            << QList<int>{0, 0} << -1;
    }
    void flattening()
    {
        QFETCH(QString, outline);
        QFETCH(QString, selected);
        QFETCH(QStringList, visible);
        QFETCH(QList<int>, levels);
        QFETCH(QList<int>, siblings);
        QFETCH(int, selectedIndex);
        tTreeFixture f(outline);
        f.s.SelectedTreeNode = f.n.value(selected);
        QCOMPARE(f.t.CalcVisibleNodes(), selectedIndex);
        QCOMPARE(f.VisibleNames(), visible);
        for (int i = 0; i < visible.size(); ++i) {
            QCOMPARE(int(f.s.VisibleNodeList[static_cast<size_t>(i)]->TreeLevel), levels[i]);
            QCOMPARE(f.s.VisibleNodeList[static_cast<size_t>(i)]->SiblingIndex, siblings[i]);
        }
    }

    void scrollRange_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pool");
        QTest::addColumn<int>("max");
        // 320 / 32 + 1 = 11 rows; the extra row may be cut off at the bottom.
        QTest::newRow("only the root") << -1 << 320 << 11 << 0;
        QTest::newRow("fewer nodes than rows") << 5 << 320 << 11 << 0;
        QTest::newRow("one node short of the pool") << 8 << 320 << 11 << 0;
        QTest::newRow("as many nodes as rows") << 9 << 320 << 11 << 1;
        QTest::newRow("many more nodes") << 100 << 320 << 11 << 92;
        QTest::newRow("height truncates to rows") << 100 << 351 << 11 << 92;
        QTest::newRow("tiny area still has one row") << 3 << 10 << 1 << 5;
    }
    void scrollRange()
    {
        QFETCH(int, children);
        QFETCH(int, height);
        QFETCH(int, pool);
        QFETCH(int, max);
        tTreeFixture f(children < 0 ? QString() : LongOutline(children), 800, height);
        QCOMPARE(int(f.t.NodePorts.size()), pool);
        QCOMPARE(f.t.ScrollMax(), max);
        QCOMPARE(f.t.ScrollPage(), pool - 1);
    }

    void bindingPastTheEnd()
    {
        // 1 root + 1 A + 20 leaves = 22 nodes over 11 rows: max 12.
        tTreeFixture f(LongOutline(20));
        f.t.SetScrollValue(1000);
        QCOMPARE(f.t.ScrollValue(), 12.0);
        const auto &ports = f.t.NodePorts;
        QCOMPARE(ports[9].NodeInfo, f.n.value("L19"));   // the last node in the second-last row
        QVERIFY(!ports[10].NodeInfo);
        QVERIFY(!ports[10].Visible);

        tTreeFixture few(QStringLiteral("A\nB"));
        QCOMPARE(few.t.NodePorts[2].NodeInfo, few.n.value("B"));
        for (size_t r = 3; r < few.t.NodePorts.size(); ++r)
            QVERIFY(!few.t.NodePorts[r].Visible);
    }

    void connectors_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("glyphs");
        QTest::newRow("root") << "Entire Collection" << "0 5 5 5";
        QTest::newRow("first top-level series") << "A" << "6 4 5 5";
        QTest::newRow("child with a later sibling") << "A1" << "8 6 4 5";
        QTest::newRow("last child under two open lines") << "A1a" << "8 8 7 1";
        QTest::newRow("last child of a non-last parent") << "A2" << "8 7 4 5";
        QTest::newRow("below a last child the line stops") << "A2a" << "8 5 7 1";
        QTest::newRow("last top-level series") << "B" << "7 4 5 5";
        QTest::newRow("under the last top-level series") << "B1" << "5 7 1 5";
    }
    void connectors()
    {
        QFETCH(QString, node);
        QFETCH(QString, glyphs);
        tTreeFixture f(Branches);
        QCOMPARE(GlyphString(f.Port(node), 4), glyphs);
    }

    void nodeGlyph_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("children");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<int>("glyph");
        QTest::addColumn<int>("suitcase");
        QTest::newRow("leaf") << 0 << 0 << false << false << int(TreeImageSlab) << -1;
        QTest::newRow("paper-money leaf") << 0 << 5 << false << false << int(TreeImageCash) << -1;
        QTest::newRow("comment leaf") << 2 << 5 << false << false << int(TreeImageBallRight) << -1;
        QTest::newRow("collapsed parent") << 0 << 5 << true << false << int(TreeImageCaseClosed) << 1;
        QTest::newRow("expanded parent") << 1 << 0 << true << true << int(TreeImageCaseOpen) << 1;
        QTest::newRow("comment with children is a case") << 2 << 0 << true << false << int(TreeImageCaseClosed) << 1;
    }
    void nodeGlyph()
    {
        QFETCH(int, mode);
        QFETCH(int, shape);
        QFETCH(bool, children);
        QFETCH(bool, expanded);
        QFETCH(int, glyph);
        QFETCH(int, suitcase);
        tTreeFixture f(children ? QStringLiteral("S\n  C") : QStringLiteral("S"));
        tnodeinfo *s = f.n.value("S");
        s->NodeMode = static_cast<uint8_t>(mode);
        s->CoinShape = static_cast<uint8_t>(shape);
        s->Expanded = expanded;
        f.Refresh();
        QCOMPARE(f.Port("S").Glyphs[1], glyph);
        QCOMPARE(f.Port("S").SuitcaseIndex, suitcase);
        QCOMPARE(f.Port("Entire Collection").Glyphs[0], int(TreeImageSafe));
        QCOMPARE(f.Port("Entire Collection").SuitcaseIndex, -1);
    }

    void deepNodesAreClamped()
    {
        QString outline;
        for (int d = 0; d < 13; ++d)
            outline += QString(d * 2, QLatin1Char(' ')) + QStringLiteral("D%1 +\n").arg(d + 1);
        tTreeFixture f(outline, 800, 640);
        const tNodePort &deep = f.Port("D12");   // depth 12, has a child
        QCOMPARE(deep.Glyphs[9], int(TreeImageCaseOpen));
        QCOMPARE(deep.SuitcaseIndex, 9);
        QCOMPARE(deep.NameX, 320);
        QCOMPARE(deep.BandX, 288);
        // Its ancestors' lines stop: each is its parent's only child.
        for (int j = 0; j < 9; ++j)
            QCOMPARE(deep.Glyphs[static_cast<size_t>(j)], int(TreeImageBlank));
        const tNodePort &d9 = f.Port("D9");      // depth 9 is the last drawable column
        QCOMPARE(d9.Glyphs[8], int(TreeImageRightAngle));
        QCOMPARE(d9.Glyphs[9], int(TreeImageCaseOpen));
        // A press on the clamped case glyph still toggles it.
        const int row = f.t.RowOf(f.n.value("D12"));
        QCOMPARE(f.t.NodePortMouseDown(row, Qt::LeftButton, Qt::NoModifier, 300), tPressAction::Toggled);
        QVERIFY(!f.n.value("D12")->Expanded);
    }

    void statusSlots_data()
    {
        QTest::addColumn<int>("glyphStats");
        QTest::addColumn<bool>("icons");
        QTest::addColumn<int>("indicate");
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<int>("coinType");
        QTest::addColumn<bool>("updateOK");
        QTest::addColumn<bool>("moveOK");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("converted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing") << 0 << true << 0 << false << 2000 << true << true << false << false << "";
        QTest::newRow("icons off: only the eBook and news glyphs")
            << 0xFFF << false << 1 << true << 5000001 << false << false << true << true << "9:39 8:33";
        QTest::newRow("not indexed in the focused eBook")
            << 0 << false << 2 << false << 2000 << true << true << false << false << "9:40";
        QTest::newRow("contains a new series") << 0x2 << false << 0 << false << 2000 << true << true << false << false
                                               << "8:32";
        QTest::newRow("added beats contains") << 0x3 << false << 0 << false << 2000 << true << true << false << false
                                              << "8:33";
        QTest::newRow("every icon") << 0xFFF << true << 1 << false << 2000 << false << false << true << true
                                    << "9:40 8:33 7:36 6:38 5:43 4:17 3:45";
        QTest::newRow("user series") << 0 << true << 0 << false << 1000001 << true << true << false << false << "7:37";
        QTest::newRow("moved beats user series") << 0x4 << true << 0 << false << 1000001 << true << true << false
                                                 << false << "7:36";
        QTest::newRow("modified price list") << 0 << true << 0 << false << 2000 << true << true << true << false
                                             << "3:41";
        QTest::newRow("converted price list") << 0 << true << 0 << false << 2000 << true << true << false << true
                                              << "3:44";
        QTest::newRow("gaps close up") << 0x10 << true << 0 << false << 2000 << true << false << false << true
                                       << "5:43 4:17 3:44";
    }
    void statusSlots()
    {
        QFETCH(int, glyphStats);
        QFETCH(bool, icons);
        QFETCH(int, indicate);
        QFETCH(bool, indexed);
        QFETCH(int, coinType);
        QFETCH(bool, updateOK);
        QFETCH(bool, moveOK);
        QFETCH(bool, modified);
        QFETCH(bool, converted);
        QFETCH(QString, shown);
        tTreeFixture f(QStringLiteral("S #%1").arg(coinType));
        tnodeinfo *s = f.n.value("S");
        s->GlyphStats = static_cast<uint16_t>(glyphStats);
        s->eIndexed = indexed;
        s->UpdateOK = updateOK;
        s->MoveOK = moveOK;
        f.s.StatusIcons = icons;
        f.s.IndicateEBook = indicate;
        f.s.PricesModifiedArray[static_cast<size_t>(s->Country)] = modified;
        f.s.PricesConvertedArray[static_cast<size_t>(s->Country)] = converted;
        f.Refresh();
        const tNodePort &p = f.Port("S");
        QCOMPARE(StatusString(p), shown);
        // Shown glyphs line up leftwards from the date column, 4 pixels apart.
        int x = 800 - TreeDateWidth - TreeEntryWidth;
        for (int slot = TreeStatusSlots - 1; slot >= 0; --slot) {
            const auto i = static_cast<size_t>(slot);
            if (p.StatusGlyphs[i] < 0) {
                QVERIFY(p.StatusHints[i].isEmpty());
                continue;
            }
            x -= TreeStatusGlyphSize + TreeStatusGap;
            QCOMPARE(p.StatusX[i], x);
            QVERIFY(!p.StatusHints[i].isEmpty());
        }
        QCOMPARE(p.NameRoom, x - p.NameX);
    }

    void statusHints_data()
    {
        QTest::addColumn<int>("glyphStats");
        QTest::addColumn<bool>("updateOK");
        QTest::addColumn<bool>("moveOK");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("hint");
        QTest::newRow("lowest difference bit names the hint")
            << 0x440 << true << true << 5 << "The shape of this series differs from the default database.";
        QTest::newRow("special series mode")
            << 0x800 << true << true << 5
            << "The \"Special Series Mode\" setting of this series differs from the default database.";
        QTest::newRow("position held") << 0 << true << false << 4
                                       << "The position of this series is not changed by updates.";
        QTest::newRow("settings held") << 0 << false << true << 4
                                       << "The settings for this series are not changed by updates.";
        QTest::newRow("both held") << 0 << false << false << 4
                                   << "The position and settings for this series are not changed by updates.";
    }
    void statusHints()
    {
        QFETCH(int, glyphStats);
        QFETCH(bool, updateOK);
        QFETCH(bool, moveOK);
        QFETCH(int, slot);
        QFETCH(QString, hint);
        tTreeFixture f(QStringLiteral("S"));
        tnodeinfo *s = f.n.value("S");
        s->GlyphStats = static_cast<uint16_t>(glyphStats);
        s->UpdateOK = updateOK;
        s->MoveOK = moveOK;
        f.s.StatusIcons = true;
        f.Refresh();
        QCOMPARE(f.Port("S").StatusHints[static_cast<size_t>(slot)], hint);
    }

    void rootAndCountryMarks()
    {
        // The root never shows a position lock, and only the topmost series of
        // a country shows its price-list mark.
        tTreeFixture f(QStringLiteral("US #352000 +\n  Cents #352001\n  Euro #8000"));
        f.s.StatusIcons = true;
        f.s.PricesModifiedArray[352] = true;
        f.s.PricesModifiedArray[8] = true;
        f.Refresh();
        QCOMPARE(StatusString(f.Port("Entire Collection")), QString());
        QCOMPARE(StatusString(f.Port("US")), QStringLiteral("3:41"));
        QCOMPARE(StatusString(f.Port("Cents")), QString());
        QCOMPARE(StatusString(f.Port("Euro")), QStringLiteral("3:41"));
    }

    void colours_data()
    {
        QTest::addColumn<int>("fontCode");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("row");
        QTest::addColumn<uint>("band");
        QTest::addColumn<uint>("name");
        QTest::addColumn<uint>("date");
        QTest::newRow("selected black series: aqua band, black texts") << 0 << true << 1 << 0xFF00FFFFu << 0xFF000000u
                                                                      << 0xFF000000u;
        QTest::newRow("selected red series: red band, white texts") << 1 << true << 1 << 0xFFFF0000u << 0xFFFFFFFFu
                                                                   << 0xFFFFFFFFu;
        QTest::newRow("green name on an even row") << 2 << false << 2 << 0xFFFFFFFFu << 0xFF008000u << 0xFF000000u;
        QTest::newRow("odd rows are ivory") << 0x33 << false << 1 << 0xFFFFFFF0u << 0xFF8B4513u << 0xFF000000u;
        QTest::newRow("code without a table entry draws as 0") << 12 << false << 2 << 0xFFFFFFFFu << 0xFF000000u
                                                               << 0xFF000000u;
        QTest::newRow("selected code without an entry is aqua") << 15 << true << 1 << 0xFF00FFFFu << 0xFF000000u
                                                                << 0xFF000000u;
        QTest::newRow("selected near-white keeps dark text") << 9 << true << 1 << 0xFFFFF8DCu << 0xFF000000u
                                                             << 0xFF000000u;
        QTest::newRow("near-white name stays readable") << 7 << false << 2 << 0xFFFFFFFFu << 0xFF000000u
                                                        << 0xFF000000u;
    }
    void colours()
    {
        QFETCH(int, fontCode);
        QFETCH(bool, selected);
        QFETCH(int, row);
        QFETCH(uint, band);
        QFETCH(uint, name);
        QFETCH(uint, date);
        // Rows: 0 root, 1 A, 2 B.
        tTreeFixture f(QStringLiteral("A\nB"));
        const QString which = row == 1 ? QStringLiteral("A") : QStringLiteral("B");
        tnodeinfo *node = f.n.value(which);
        node->FontCode = static_cast<uint8_t>(fontCode);
        if (selected)
            f.s.SelectedTreeNode = node;
        f.Refresh();
        const tNodePort &p = f.t.NodePorts[static_cast<size_t>(row)];
        QCOMPARE(p.NodeInfo, node);
        QCOMPARE(uint(p.BandColor), band);
        QCOMPARE(uint(p.NameColor), name);
        QCOMPARE(uint(p.DateColor), date);
        QCOMPARE(uint(p.EntryColor), date);
    }

    void rowTexts()
    {
        tTreeFixture f(QStringLiteral("Gold & Silver +\n  Eagles"));
        tnodeinfo *g = f.n.value("Gold & Silver");
        tnodeinfo *e = f.n.value("Eagles");
        g->DateRangeMin = 1795;
        g->DateRangeMax = 1933;
        g->EntryCount = 12;
        g->FontCode = 0x30;
        e->DateRangeMin = 1849;
        e->DateRangeMax = 1849;
        e->DateRangeCirca = 1;
        f.Refresh();
        const tNodePort &pg = f.Port("Gold & Silver");
        QCOMPARE(pg.NameText, QStringLiteral("Gold & Silver"));   // drawn literally
        QCOMPARE(pg.DateText, QStringLiteral("1795-1933"));
        QCOMPARE(pg.EntryText, QStringLiteral("12"));
        QVERIFY(pg.NameBold && pg.NameItalic);
        QVERIFY(pg.CountsItalic);
        QCOMPARE(uint(pg.DateColor), 0xFF808080u);                // a subtotal
        const tNodePort &pe = f.Port("Eagles");
        QCOMPARE(pe.DateText, QStringLiteral("Circa 1849"));
        QCOMPARE(pe.EntryText, QString());                        // no count below 1
        QVERIFY(!pe.CountsItalic);
        // Columns sit at the right edge; the band starts at the node glyph.
        QCOMPARE(pe.DateX, 800 - 160 - 130);
        QCOMPARE(pe.EntryX, 800 - 130);
        QCOMPARE(pe.NameX, 96);
        QCOMPARE(pe.NameWidth, 800 - 96 - 290);
        QCOMPARE(pe.BandX, 64);
        QCOMPARE(pe.BandWidth, 800 - 64);
    }

    void nameSize_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("size");
        // Room for a top-level series in a 400-wide row: 400 - 290 - 64 = 46.
        QTest::newRow("short name at full size") << 4 << 20;
        QTest::newRow("needs to shrink") << 5 << 18;
        QTest::newRow("fits at 11") << 8 << 11;
        QTest::newRow("just too long at 11 takes 10") << 9 << 10;
        QTest::newRow("too long even at 11 takes 10") << 40 << 10;
    }
    void nameSize()
    {
        QFETCH(int, length);
        QFETCH(int, size);
        tTreeFixture f(QStringLiteral("S"), 400, 320);
        f.n.value("S")->NodeName = QString(length, QLatin1Char('x'));
        int measured = 0;
        f.t.MeasureName = [&](const QString &text, int s, bool b, bool i) {
            ++measured;
            return HalfSizeWidth(text, s, b, i);
        };
        f.Refresh();
        const int row = f.t.RowOf(f.n.value("S"));
        QCOMPARE(f.t.NodePorts[static_cast<size_t>(row)].NameRoom, 46);
        QCOMPARE(f.t.NodePorts[static_cast<size_t>(row)].NameSize, size);
        QVERIFY(measured <= 2 * 10);   // at most ten sizes per row, two rows
    }

    void makeTreeNodeVisible_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<double>("value");
        // Visible list: root, A, L0..L99, B (collapsed). 11 rows: max 93.
        QTest::newRow("centred") << "L50" << double(52 - 11 / 2 + 1);
        QTest::newRow("near the top clamps to 0") << "L1" << 0.0;
        QTest::newRow("near the end clamps to the maximum") << "L99" << 93.0;
    }
    void makeTreeNodeVisible()
    {
        QFETCH(QString, target);
        QFETCH(double, value);
        tTreeFixture f(LongOutline(100) + QStringLiteral("B +\n  B1 +\n    B1a\n"));
        f.n.value("L7")->Expanded = true;
        f.t.MakeTreeNodeVisible(f.n.value(target));
        QCOMPARE(f.t.ScrollValue(), value);
        QVERIFY(!f.n.value("B")->Expanded);
        QVERIFY(!f.n.value("B1")->Expanded);
        QVERIFY(f.n.value("A")->Expanded);
        QVERIFY(f.n.value(target)->Expanded);
        QVERIFY(f.s.EntireCollection->Expanded);
        QVERIFY(f.t.RowOf(f.n.value(target)) >= 0);
        QCOMPARE(int(f.s.VisibleNodeList.size()), 103);
    }

    void arrowButtons()
    {
        tTreeFixture lone{QString()};
        QCOMPARE(lone.t.Button7Image(), int(ImgRoundUp));
        QCOMPARE(lone.t.Button8Image(), int(ImgRoundDown));

        tTreeFixture f(LongOutline(20));   // max 12
        QCOMPARE(f.t.Button7Image(), int(ImgRoundUp));
        QCOMPARE(f.t.Button8Image(), int(ImgDown));
        f.t.ScrollBy(1);
        QCOMPARE(f.t.Button7Image(), int(ImgUp));
        f.t.SetScrollValue(12);
        QCOMPARE(f.t.Button8Image(), int(ImgRoundDown));
        f.t.ScrollBy(1);
        QCOMPARE(f.t.ScrollValue(), 12.0);   // clamped
    }

    void wheel()
    {
        tTreeFixture f(LongOutline(20));
        f.t.Wheel(-120);
        QCOMPARE(f.t.ScrollValue(), 1.2);
        QCOMPARE(f.t.FirstRowIndex(), 1);
        f.t.Wheel(-240);
        QCOMPARE(f.t.FirstRowIndex(), 3);   // 3.6 shows from row 3
        QCOMPARE(f.t.NodePorts[0].NodeInfo, f.s.VisibleNodeList[3]);
        f.t.Wheel(1200);
        QCOMPARE(f.t.ScrollValue(), 0.0);
    }

    void press_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("aExpanded");
        const int L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;
        const int none = Qt::NoModifier;
        const QString root = QStringLiteral("Entire Collection");
        // Rows: root, A (case at column 1: 32 < x < 65), A1, C (comment).
        QTest::newRow("root from its glyph selects it") << root << L << none << 5.0 << int(tPressAction::Selected)
                                                         << root << true;
        QTest::newRow("case glyph toggles, selection stays") << "A" << L << none << 40.0
                                                             << int(tPressAction::Toggled) << "B" << false;
        QTest::newRow("case glyph's left edge is not on it") << "A" << L << none << 32.0
                                                             << int(tPressAction::Selected) << "A" << true;
        QTest::newRow("right of the case selects") << "A" << L << none << 300.0 << int(tPressAction::Selected) << "A"
                                                   << true;
        QTest::newRow("connector column does nothing") << "A1" << L << none << 10.0 << int(tPressAction::None) << "B"
                                                       << true;
        QTest::newRow("leaf glyph selects") << "A1" << L << none << 70.0 << int(tPressAction::Selected) << "A1"
                                            << true;
        QTest::newRow("comment line ignores a plain press") << "C" << L << none << 300.0 << int(tPressAction::None)
                                                            << "B" << true;
        QTest::newRow("comment line takes a right press") << "C" << R << none << 300.0
                                                          << int(tPressAction::ContextMenu) << "C" << true;
        QTest::newRow("comment line can be dragged") << "C" << L << int(Qt::ShiftModifier) << 300.0
                                                     << int(tPressAction::Drag) << "C" << true;
        QTest::newRow("ctrl press starts a drag") << "A1" << L << int(Qt::ControlModifier) << 5.0
                                                  << int(tPressAction::Drag) << "A1" << true;
        QTest::newRow("alt press starts a drag") << "A" << L << int(Qt::AltModifier) << 40.0
                                                 << int(tPressAction::Drag) << "A" << true;
        QTest::newRow("the root is never dragged") << root << L << int(Qt::ControlModifier) << 50.0
                                                   << int(tPressAction::None) << "B" << true;
        QTest::newRow("middle button does nothing") << "A1" << M << none << 300.0 << int(tPressAction::None) << "B"
                                                    << true;
    }
    void press()
    {
        QFETCH(QString, node);
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(double, x);
        QFETCH(int, action);
        QFETCH(QString, selected);
        QFETCH(bool, aExpanded);
        tTreeFixture f(QStringLiteral("A +\n  A1\nC\nB"));
        f.n.value("C")->NodeMode = NodeModeComment;
        f.s.SelectedTreeNode = f.n.value("B");
        int selections = 0;
        QObject::connect(f.s.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        f.Refresh();
        const int row = f.t.RowOf(f.n.value(node));
        const tPressAction got = f.t.NodePortMouseDown(row, Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers), x);
        QCOMPARE(int(got), action);
        QCOMPARE(f.s.SelectedTreeNode->NodeName, selected);
        QCOMPARE(selections, selected == QLatin1String("B") ? 0 : 1);
        QCOMPARE(f.n.value("A")->Expanded, aExpanded);
        QCOMPARE(f.t.NodePortMouseDown(int(f.t.NodePorts.size()) - 1, Qt::LeftButton, Qt::NoModifier, 300),
                 tPressAction::None);   // a row past the end
    }

    void doubleClickTargets()
    {
        tnodeinfo root, series, comment;
        root.CoinType = RootCoinType;
        series.CoinType = 2000;
        comment.CoinType = 2001;
        comment.NodeMode = NodeModeComment;
        QVERIFY(!tSeriesTree::OpensCoinsPage(&root));
        QVERIFY(tSeriesTree::OpensCoinsPage(&series));
        QVERIFY(!tSeriesTree::OpensCoinsPage(&comment));
        QVERIFY(!tSeriesTree::OpensCoinsPage(nullptr));
    }

    void expandAll()
    {
        tTreeFixture f(QStringLiteral("A\n  A1\n    A1a\n  A2\nB\n  B1"));
        tnodeinfo *a = f.n.value("A");
        f.s.SelectedTreeNode = a;
        f.t.ExpandAll(true);
        QVERIFY(a->Expanded && f.n.value("A1")->Expanded);
        QVERIFY(!f.n.value("A2")->Expanded);   // no children: untouched
        QVERIFY(!f.n.value("B")->Expanded);    // outside the selected subtree
        QCOMPARE(f.VisibleNames(),
                 (QStringList{"Entire Collection", "A", "A1", "A1a", "A2", "B"}));

        f.s.SelectedTreeNode = f.n.value("A2");
        f.t.ExpandAll(true);
        QCOMPARE(int(f.s.VisibleNodeList.size()), 6);

        f.s.SelectedTreeNode = f.s.EntireCollection.get();
        f.t.ExpandAll(false);
        QCOMPARE(f.VisibleNames(), QStringList{"Entire Collection"});
        QVERIFY(!a->Expanded && !f.n.value("A1")->Expanded);
    }

    // Expanding a chain far deeper than a stack would carry lists every
    // level, with the drawn level clamped.
    void expandAllOnADeepChain()
    {
        tTreeFixture f(QStringLiteral("A"));
        constexpr int depth = 300000;
        tnodeinfo *n = f.n.value("A");
        for (int i = 1; i < depth; ++i)
            n = AddChildNode(n, 1000000 + i);
        f.s.SelectedTreeNode = f.s.EntireCollection.get();
        f.t.ExpandAll(true);
        QCOMPARE(int(f.s.VisibleNodeList.size()), depth + 1);
        QCOMPARE(f.s.VisibleNodeList.back(), n);
        QCOMPARE(int(n->TreeLevel), 255);
        f.t.ExpandAll(false);
        QCOMPARE(int(f.s.VisibleNodeList.size()), 1);
    }

    void autoScroll_data()
    {
        QTest::addColumn<double>("pointer");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("interval");
        // Area from y 100 to 400.
        QTest::newRow("inside") << 250.0 << 0 << 0;
        QTest::newRow("on the top edge") << 100.0 << 0 << 0;
        QTest::newRow("just above") << 99.0 << -1 << 308;
        QTest::newRow("fractional distance") << 99.25 << -1 << 309;
        QTest::newRow("far above caps at 10 ms") << -500.0 << -1 << 10;
        QTest::newRow("below") << 475.0 << 1 << 160;
        QTest::newRow("150 below") << 550.0 << 1 << 10;
    }
    void autoScroll()
    {
        QFETCH(double, pointer);
        QFETCH(int, direction);
        QFETCH(int, interval);
        const tAutoScroll a = AutoScrollStep(pointer, 100, 300);
        QCOMPARE(a.Direction, direction);
        QCOMPARE(a.Interval, interval);
    }

    void freedSeriesLeaveTheView()
    {
        tTreeFixture f(QStringLiteral("A +\n  A1\nB"));
        f.s.DeleteSeries(f.n.value("A"));
        f.t.AssignNodePorts();
        f.t.RenderRows();
        QCOMPARE(f.s.VisibleNodeList.size(), size_t(2));
        QCOMPARE(f.t.NodePorts[1].NodeInfo->NodeName, QStringLiteral("B"));
    }
};

QTEST_MAIN(tst_TreeView)
#include "tst_treeview.moc"
