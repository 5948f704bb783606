#include <QtTest>

#include <optional>

#include <QApplication>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include "core/collection/collectionlifecycle.h"
#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainform.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/pricelists/ui/pricegridview.h"
#include "pricing/valuation/metals.h"
#include "pricing/valuation/valuation.h"
#include "support/programfixture.h"

// The Pricing page of the running program: clicks on the grid open the
// editors, keys move them, a drag marks a range, and the page's buttons and
// hidden commands change the shown price list.
namespace {

tnodeinfo *PricedSeries(tMainState &s, const tnodeinfo *other = nullptr)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (found || n == other || !n->ChildNodes.empty() || n == s.EntireCollection.get() || n->PriceSource)
            return;
        int count = 0;
        for (const auto &p : s.PriceList)
            count += p->CoinType == n->CoinType;
        if (count >= 2)
            found = n;
    });
    return found;
}

// A started program with a new collection, a priced series selected and the
// Pricing page open.
struct tPricing {
    tProgramFixture Program;
    tnodeinfo *Series = nullptr;
    TPriceGridView *Grid = nullptr;

    tPricing()
    {
        TMainForm &form = Program.Open();
        form.resize(1200, 900);
        form.show();
        Program.Start();
        Program.Trigger(QStringLiteral("MenuItem17"));
        Series = PricedSeries(State());
        if (!Series)
            return;
        SelectSeries(Series);
        Grid = form.findChild<TPriceGridView *>();
    }
    tMainState &State() { return Program.State(); }
    TMainForm &Form() { return Program.Form(); }
    void SelectSeries(tnodeinfo *node)
    {
        State().SelectedTreeNode = node;
        Q_EMIT State().Events->SeriesSelected();
        Form().PageTabs->setCurrentIndex(PageSeries);
        Form().PageTabs->setCurrentIndex(PagePricing);
        QCoreApplication::processEvents();
    }
    QPoint At(int col, int row) const { return Grid->CellRect(col, row).center(); }
    void Click(int col, int row) { QTest::mouseClick(Grid->PriceLayout, Qt::LeftButton, {}, At(col, row)); }
    int RowOf(int kind) const
    {
        for (int r = 0; r < Grid->Geometry().RowsNeeded; ++r)
            if (Grid->RowKindAt(r) == kind)
                return r;
        return -1;
    }
    QPushButton *Button(const char *name) { return Form().findChild<QPushButton *>(QString::fromLatin1(name)); }
    // The widget the keyboard types into, as for a collector at the keyboard.
    QWidget *Typing()
    {
        Form().activateWindow();
        if (!QTest::qWaitForWindowActive(&Form()))
            return nullptr;
        return QApplication::focusWidget();
    }
    // The value of the entry's slot as the saved price file holds it.
    std::optional<Money> SavedValue(const tPriceInfo &e, size_t slot)
    {
        const int country = CoinTypeToCountry(e.CoinType);
        QString name;
        for (const auto &c : State().CountryList)
            if (c->CountryID == country)
                name = c->Name;
        QFile f(PriceFilePath(State(), name));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        const tPriceFile file = ReadPriceFile(f.readAll());
        for (const auto &x : file.Entries)
            if (x->CoinType == e.CoinType && x->Year == e.Year && x->Mint == e.Mint && x->Variety == e.Variety)
                return x->Value[slot];
        return std::nullopt;
    }
    void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QWidget *w = Grid->OpenEditor();
        if (auto *c = qobject_cast<QComboBox *>(w); c && c->lineEdit())
            w = c->lineEdit();
        QTest::keyClick(w, static_cast<Qt::Key>(key), mods);
    }
};

} // namespace

class tst_PricingPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pageShowsTheSeriesPrices()
    {
        tPricing p;
        QVERIFY(p.Grid);
        QVERIFY(p.Grid->WholeLayout->isVisible());
        QVERIFY(!p.Form().WarningLabelPrices->isVisible());
        const tPriceGridGeometry &g = p.Grid->Geometry();
        QVERIFY(g.ColsNeeded >= 2);
        QVERIFY(g.RowsNeeded > 10);
        QCOMPARE(p.Grid->CellText(0, 0), QStringLiteral("Year"));
        QCOMPARE(p.Grid->CellText(0, 4), QStringLiteral("Mintage"));
        const tPriceInfo &first = *p.State().CurrPriceList.front();
        QCOMPARE(p.Grid->CellText(1, 0), first.Year > 0 ? QString::number(first.Year) : QString());
        QCOMPARE(p.Grid->CellColor(1, 0), PriceColors::Aqua);
    }

    void clickOpensTheEditorOfTheRow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("editor");
        QTest::newRow("year") << int(PriceKindYear) << "DataEdit";
        QTest::newRow("mint") << int(PriceKindMint) << "MintEdit";
        QTest::newRow("grade modifier") << int(PriceKindGM) << "GMEdit";
        QTest::newRow("mintage") << int(PriceKindMintage) << "MintageEdit";
        QTest::newRow("metal") << int(PriceKindMetal) << "MetalEdit";
        QTest::newRow("content") << int(PriceKindContent) << "FloatEdit";
        QTest::newRow("catalogue number") << int(PriceKindCatalog) << "DataEdit";
        QTest::newRow("grade value") << -1 << "ValueEdit";
    }
    void clickOpensTheEditorOfTheRow()
    {
        QFETCH(int, kind);
        QFETCH(QString, editor);
        tPricing p;
        QVERIFY(p.Grid);
        const int row = kind >= 0 ? p.RowOf(kind) : 10;
        QVERIFY(row >= 0);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        const int gradeKind = p.Grid->RowKindAt(row);
        if (kind < 0)
            e.Value[static_cast<size_t>(gradeKind - PriceKindGrade0)] = 1234500;
        p.Click(1, row);
        QWidget *open = p.Grid->OpenEditor();
        QVERIFY(open);
        QCOMPARE(open->objectName(), editor);
        QVERIFY(open->isVisible());
        QCOMPARE(open->geometry().top(), p.Grid->CellRect(1, row).top());
        auto *combo = qobject_cast<QComboBox *>(open);
        const QString text = combo ? combo->currentText() : qobject_cast<QLineEdit *>(open)->text();
        if (kind == PriceKindYear)
            QCOMPARE(text, e.Year > 0 ? QString::number(e.Year) : QString());
        if (kind == PriceKindCatalog)
            QCOMPARE(text, e.Catalog.trimmed());
        if (kind < 0)
            QCOMPARE(text, QStringLiteral("123.45"));
        QCOMPARE(p.Grid->PriceSelectedRow, row);
    }

    void editedPriceIsSavedByTheMenu()
    {
        tPricing p;
        QVERIFY(p.Grid);
        const int row = 10;
        const int slot = p.Grid->RowKindAt(row) - PriceKindGrade0;
        tPriceInfo &e = *p.State().CurrPriceList.front();
        p.Click(1, row);
        p.Grid->ValueEdit->setCurrentIndex(-1);
        p.Grid->ValueEdit->setEditText(QStringLiteral("4321.5"));
        p.Key(Qt::Key_Return);
        QCOMPARE(e.Value[static_cast<size_t>(slot)], Money(43215000));
        const int country = CoinTypeToCountry(e.CoinType);
        QVERIFY(p.State().PricesModifiedArray[static_cast<size_t>(country)]);

        p.Program.Trigger(QStringLiteral("SavePriceData1"));
        QVERIFY(!p.State().PricesModifiedArray[static_cast<size_t>(country)]);
        QString name;
        for (const auto &c : p.State().CountryList)
            if (c->CountryID == country)
                name = c->Name;
        QFile f(PriceFilePath(p.State(), name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const tPriceFile file = ReadPriceFile(f.readAll());
        bool found = false;
        for (const auto &x : file.Entries)
            found = found || (x->CoinType == e.CoinType && x->Year == e.Year && x->Mint == e.Mint &&
                              x->Value[static_cast<size_t>(slot)] == Money(43215000));
        QVERIFY(found);
    }

    void enterMovesDownAndWraps()
    {
        tPricing p;
        QVERIFY(p.Grid);
        p.Click(1, 0);
        QCOMPARE(p.Grid->OpenEditor()->objectName(), QStringLiteral("DataEdit"));
        p.Key(Qt::Key_Return);
        QCOMPARE(p.Grid->PriceSelectedRow, 1);
        QCOMPARE(p.Grid->OpenEditor()->objectName(), QStringLiteral("MintEdit"));
        p.Key(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.Grid->PriceSelectedRow, 0);
        p.Key(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.Grid->PriceSelectedRow, p.Grid->Geometry().RowsNeeded - 1);
        p.Key(Qt::Key_Return);
        QCOMPARE(p.Grid->PriceSelectedRow, 0);
        QCOMPARE(p.Grid->OpenEditor()->objectName(), QStringLiteral("DataEdit"));
    }

    void typedValuesAreStoredOrRefused()
    {
        tPricing p;
        QVERIFY(p.Grid);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        const int row = 10;
        const size_t slot = static_cast<size_t>(p.Grid->RowKindAt(row) - PriceKindGrade0);
        p.State().PricesModified = false;
        p.Click(1, row);
        p.Grid->ValueEdit->setEditText(QString());
        QTest::keyClicks(p.Grid->ValueEdit->lineEdit(), QStringLiteral("12.5"));
        p.Key(Qt::Key_Return);
        QCOMPARE(e.Value[slot], Money(125000));
        QVERIFY(p.State().PricesModified);
        QVERIFY(p.State().PricesModifiedArray[static_cast<size_t>(CoinTypeToCountry(p.Series->CoinType))]);
        QVERIFY(p.Button("UndoPriceBtn")->isEnabled());

        // A minus typed in the value editor picks "-------" at once.
        p.Click(1, row);
        p.Key(Qt::Key_Minus);
        QCOMPARE(e.Value[slot], ValueCodeToMoney(CodeDashes));
        QCOMPARE(p.Grid->CellText(1, row), QStringLiteral("-------"));

        // An amount pasted with a minus is refused; the cell keeps its value.
        p.Program.Ui.answer(QStringLiteral("OK"));
        p.Click(1, row);
        p.Grid->ValueEdit->setCurrentIndex(-1);
        p.Grid->ValueEdit->setEditText(QStringLiteral("-5"));
        p.Key(Qt::Key_Return);
        QCOMPARE(e.Value[slot], ValueCodeToMoney(CodeDashes));
        QVERIFY(p.Program.Ui.Texts().last().contains(QStringLiteral("cannot be negative")));

        // A weight beyond what the file holds is refused too.
        p.Program.Ui.answer(QStringLiteral("OK"));
        const float weight = e.Weight;
        p.Click(1, p.RowOf(PriceKindWeight));
        p.Grid->FloatEdit->setText(QStringLiteral("999999"));
        p.Key(Qt::Key_Return);
        QCOMPARE(e.Weight, weight);
        QVERIFY(p.Program.Ui.Texts().last().contains(QStringLiteral("too large")));

        // Esc puts back what the mint editor showed.
        p.Click(1, p.RowOf(PriceKindMint));
        const QString mint = e.Mint;
        p.Grid->MintEdit->setEditText(QStringLiteral("zz"));
        p.Key(Qt::Key_Escape);
        QCOMPARE(p.Grid->MintEdit->currentText(), mint.trimmed());
    }

    // A price typed and left without Enter is stored when the collector
    // saves, changes page or closes the program, in the locale's notation.
    void typedPriceWithoutEnterIsKept_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("then");
        for (const char *then :
             {"save price list changes", "save all changes", "page change", "closing", "focus moves away"}) {
            QTest::addRow("C.UTF-8, %s", then) << "C" << "1234.5" << then;
            QTest::addRow("de_DE, %s", then) << "de_DE" << "1234,5" << then;
        }
    }
    void typedPriceWithoutEnterIsKept()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, then);
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
        tPricing p;
        QVERIFY(p.Grid);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        const int row = 10;
        const size_t slot = static_cast<size_t>(p.Grid->RowKindAt(row) - PriceKindGrade0);
        p.State().DataModified = false;
        p.Click(1, row);
        QWidget *typing = p.Typing();
        QVERIFY(typing);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->ValueEdit);
        p.Grid->ValueEdit->lineEdit()->selectAll();
        QTest::keyClicks(typing, typed);
        QCOMPARE(p.Grid->ValueEdit->currentText(), typed);
        const Money expected = 12345000;

        if (then == QLatin1String("page change") || then == QLatin1String("focus moves away")) {
            if (then == QLatin1String("page change"))
                p.Form().PageTabs->setCurrentIndex(PageSeries);
            else
                p.Form().PriceColWidthBox->setFocus(Qt::MouseFocusReason);
            QCOMPARE(e.Value[slot], expected);
            QVERIFY(p.State().PricesModified);
            QVERIFY(!p.Grid->OpenEditor());
            return;
        }
        if (then == QLatin1String("closing")) {
            p.Program.Ui.answer(QStringLiteral("Save"));
            QVERIFY(p.Program.Close());
            QVERIFY2(p.Program.Ui.Texts().join(QLatin1Char('|')).contains(
                         QStringLiteral("Your price list changes have not been saved.")),
                     qPrintable(p.Program.Ui.Texts().join(QLatin1Char('|'))));
        } else {
            p.Program.Trigger(then == QLatin1String("save all changes") ? QStringLiteral("SaveAllChanges1")
                                                                         : QStringLiteral("SavePriceData1"));
        }
        QCOMPARE(e.Value[slot], expected);
        QCOMPARE(p.SavedValue(e, slot), std::optional<Money>(expected));
    }

    // The year options panel, a list dropping down and another window in
    // front take the focus without closing the editor.
    void passingFocusKeepsTheEditorOpen()
    {
        tPricing p;
        QVERIFY(p.Grid);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        p.Click(1, 0);
        QVERIFY(p.Typing());
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->DataEdit);
        p.Grid->YearOptions->click();
        QVERIFY(p.Grid->YearOptionsPopup->isVisible());
        const bool circa = e.DateBits & DateBitCirca;
        QTest::mouseClick(p.Grid->CircaCheckBox, Qt::LeftButton);
        QCOMPARE(bool(e.DateBits & DateBitCirca), !circa);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->DataEdit);
        QVERIFY(p.Grid->YearOptionsPopup->isVisible());

        p.Click(1, 10);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->ValueEdit);
        p.Grid->ValueEdit->lineEdit()->setFocus();
        p.Grid->PriceLayout->setFocus(Qt::PopupFocusReason);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->ValueEdit);
        p.Grid->ValueEdit->lineEdit()->setFocus();
        p.Grid->PriceLayout->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->ValueEdit);
    }

    // Esc in the metal list puts the metal it opened with back into the
    // entry, not only into the list.
    void escInTheMetalListRestoresTheEntry()
    {
        tPricing p;
        QVERIFY(p.Grid);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        const int row = p.RowOf(PriceKindMetal);
        QVERIFY(row >= 0);
        const int metal = e.Metal;
        p.Click(1, row);
        QWidget *typing = p.Typing();
        QVERIFY(typing);
        QCOMPARE(p.Grid->OpenEditor(), p.Grid->MetalEdit);
        const QString shown = p.Grid->MetalEdit->currentText();
        // A metal with another initial than the one shown.
        QChar other;
        for (int i = 0; i < p.Grid->MetalEdit->count() && other.isNull(); ++i) {
            const QString name = p.Grid->MetalEdit->itemText(i);
            if (!name.isEmpty() && !shown.startsWith(name[0], Qt::CaseInsensitive))
                other = name[0].toLower();
        }
        QVERIFY(!other.isNull());
        QTest::keyClick(typing, other.toLatin1());
        QVERIFY(e.Metal != metal);
        QVERIFY(p.State().PricesModified);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(p.Grid->MetalEdit->currentText(), shown);
        QCOMPARE(int(e.Metal), metal);
        QCOMPARE(p.Grid->CellText(1, row), metal ? MetalName(metal) : QString());
    }

    // Enter and keypad Enter in the editors with a drop-down list store what
    // was typed and open the next row, as in the plain text editors.
    void enterInTheDropDownEditorsMovesOn_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("mint, Enter") << int(PriceKindMint) << "d" << false;
        QTest::newRow("mint, keypad Enter") << int(PriceKindMint) << "d" << true;
        QTest::newRow("grade modifier, Enter") << int(PriceKindGM) << "DMPL" << false;
        QTest::newRow("grade value, Enter") << -1 << "7" << false;
        QTest::newRow("grade value, keypad Enter") << -1 << "7" << true;
    }
    void enterInTheDropDownEditorsMovesOn()
    {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(bool, keypad);
        tPricing p;
        QVERIFY(p.Grid);
        tPriceInfo &e = *p.State().CurrPriceList.front();
        const int row = kind >= 0 ? p.RowOf(kind) : 10;
        QVERIFY(row >= 0);
        p.Click(1, row);
        QWidget *typing = p.Typing();
        QVERIFY(typing);
        auto *combo = qobject_cast<QComboBox *>(p.Grid->OpenEditor());
        QVERIFY(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(typing, typed);
        QTest::keyClick(QApplication::focusWidget(), keypad ? Qt::Key_Enter : Qt::Key_Return,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(p.Grid->PriceSelectedRow, row + 1);
        QVERIFY(p.Grid->OpenEditor());
        QCOMPARE(p.Grid->OpenEditor()->geometry().top(), p.Grid->CellRect(1, row + 1).top());
        if (kind == PriceKindMint)
            QCOMPARE(e.Mint, QStringLiteral("D"));
        else if (kind == PriceKindGM)
            QCOMPARE(e.GM, QStringLiteral("DMPL"));
        else
            QCOMPARE(e.Value[static_cast<size_t>(p.Grid->RowKindAt(row) - PriceKindGrade0)], Money(70000));
    }

    void dragColoursTheRangeAndACodeFillsIt()
    {
        tPricing p;
        QVERIFY(p.Grid);
        QVERIFY(p.Grid->Geometry().ColsNeeded >= 3);
        const int r1 = 11, r2 = 13;
        QTest::mousePress(p.Grid->PriceLayout, Qt::LeftButton, {}, p.At(1, r1));
        QMouseEvent move(QEvent::MouseMove, p.At(2, r2), p.Grid->PriceLayout->mapToGlobal(p.At(2, r2)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(p.Grid->PriceLayout, &move);
        QTest::mouseRelease(p.Grid->PriceLayout, Qt::LeftButton, {}, p.At(2, r2));
        for (int c = 1; c <= 2; ++c)
            for (int r = r1; r <= r2; ++r)
                QCOMPARE(p.Grid->CellColor(c, r), PriceColors::Yellow);
        QCOMPARE(p.Grid->CellColor(3 <= p.Grid->Geometry().ColsNeeded - 1 ? 3 : 1, r2 + 1), PriceColors::White);
        QCOMPARE(p.Grid->CellColor(0, r1), PriceColors::LightGrey);
        QCOMPARE(p.Grid->OpenEditor()->objectName(), QStringLiteral("ValueEdit"));

        const int before = p.Grid->History.Count();
        Q_EMIT p.Grid->ValueEdit->activated(CodeNA - 1);
        QCOMPARE(p.Grid->History.Count(), before + 2);
        for (int c = 0; c < 2; ++c)
            for (int r = r1; r <= r2; ++r)
                QCOMPARE(p.State().CurrPriceList[c]->Value[static_cast<size_t>(p.Grid->RowKindAt(r) - PriceKindGrade0)],
                         ValueCodeToMoney(CodeNA));
        QCOMPARE(p.Grid->CellText(1, r1), QStringLiteral("n/a"));

        // A press in the title column starts no range.
        QTest::mousePress(p.Grid->PriceLayout, Qt::LeftButton, {}, p.At(0, r1));
        QVERIFY(!p.Grid->Drag.Dragging);
        QTest::mouseRelease(p.Grid->PriceLayout, Qt::LeftButton, {}, p.At(0, r1));
    }

    void buttonsAddCloneDeleteAndUndo()
    {
        tPricing p;
        QVERIFY(p.Grid);
        QPushButton *add = p.Button("AddPriceBtn");
        QPushButton *clone = p.Button("ClonePriceBtn");
        QPushButton *del = p.Button("DeletePriceBtn");
        QPushButton *undo = p.Button("UndoPriceBtn");
        QVERIFY(add->isEnabled());
        QVERIFY(clone->isEnabled());
        QVERIFY(del->isEnabled());
        QVERIFY(p.Button("PopulateBtn")->isEnabled());
        QVERIFY(!undo->isEnabled());
        const size_t count = p.State().CurrPriceList.size();

        add->click();
        QCOMPARE(p.State().CurrPriceList.size(), count + 1);
        QCOMPARE(p.Grid->OpenEditor()->objectName(), QStringLiteral("DataEdit"));
        QCOMPARE(p.Grid->SelectedEntry(), p.State().CurrPriceList.back());
        QCOMPARE(p.Grid->CellText(p.Grid->PriceSelectedCol, 10), QStringLiteral("-------"));
        QVERIFY(undo->isEnabled());
        undo->click();
        QCOMPARE(p.State().CurrPriceList.size(), count);

        // Clone stands right of its source.
        p.Grid->PriceHScrollBar->setValue(0);
        p.Click(1, 0);
        tPriceInfo *source = p.State().CurrPriceList.front();
        clone->click();
        QCOMPARE(p.State().CurrPriceList.size(), count + 1);
        QCOMPARE(p.State().CurrPriceList[1]->Year, source->Year);

        // Delete asks; "No" changes nothing, "Yes" with "Don't ask" stops asking.
        p.Program.Ui.answer(QStringLiteral("No"));
        del->click();
        QCOMPARE(p.State().CurrPriceList.size(), count + 1);
        p.Program.Ui.answer(QStringLiteral("Yes"), 0, true);
        del->click();
        QCOMPARE(p.State().CurrPriceList.size(), count);
        const int asked = static_cast<int>(p.Program.Ui.Messages.size());
        del->click();
        QCOMPARE(p.State().CurrPriceList.size(), count - 1);
        QCOMPARE(static_cast<int>(p.Program.Ui.Messages.size()), asked);
        undo->click();
        QCOMPARE(p.State().CurrPriceList.size(), count);
    }

    void copyAndPasteThroughTheWindowCommands()
    {
        tPricing p;
        QVERIFY(p.Grid);
        const size_t copied = p.State().CurrPriceList.size();
        p.Program.Trigger(QStringLiteral("CopyPrices1"));
        QCOMPARE(p.Form().StatusLabel->text(),
                 QString::number(copied) + QStringLiteral(" price list entries were copied to the clipboard."));
        tnodeinfo *other = PricedSeries(p.State(), p.Series);
        QVERIFY(other);
        p.SelectSeries(other);
        const size_t before = p.State().CurrPriceList.size();
        p.Program.Trigger(QStringLiteral("PastePrices1"));
        QCOMPARE(p.Form().StatusLabel->text(),
                 QString::number(copied) + QStringLiteral(" price list entries were pasted from the clipboard."));
        QCOMPARE(p.State().CurrPriceList.size(), before + copied);
        QVERIFY(p.State().PricesModifiedArray[static_cast<size_t>(CoinTypeToCountry(other->CoinType))]);
    }

    void scrollingKeepsTheSelectedEntryShown()
    {
        tPricing p;
        QVERIFY(p.Grid);
        QScrollBar *bar = p.Grid->PriceHScrollBar;
        QPushButton *add = p.Button("AddPriceBtn");
        do
            add->click();
        while (bar->maximum() < 3);
        // Each new entry is scrolled into view and selected.
        QCOMPARE(p.Grid->SelectedEntry(), p.State().CurrPriceList.back());
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(!p.Grid->Button3->isEnabled());

        // Undoing an edit of the first entry scrolls back to it.
        p.Grid->UndoPrice();   // drops the last addition
        p.Grid->PriceHScrollBar->setValue(0);
        p.Click(1, 10);
        p.Grid->ValueEdit->setEditText(QStringLiteral("3"));
        p.Key(Qt::Key_Escape);
        Q_EMIT p.Grid->ValueEdit->activated(CodeNA - 1);
        p.Grid->CommitEditor();
        bar->setValue(bar->maximum());
        p.Button("UndoPriceBtn")->click();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(p.Grid->SelectedEntry(), p.State().CurrPriceList.front());

        QVERIFY(!p.Grid->Button1->isEnabled());
        p.Grid->Button3->click();
        QCOMPARE(bar->value(), 1);
        QVERIFY(p.Grid->Button1->isEnabled());
        p.Grid->Button1->click();
        p.Grid->Button1->click();
        QCOMPARE(bar->value(), 0);
        QVERIFY(!p.Grid->Button1->isEnabled());
    }
};

QTEST_MAIN(tst_PricingPage)
#include "tst_pricingpage.moc"
