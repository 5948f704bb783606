#include <QtTest>
#include <QApplication>
#include <QScrollBar>
#include <QScrollArea>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"
#include "browse/series/seriesedit.h"
#include "browse/series/seriesmenus.h"
#include "browse/series/ui/newfolderform.h"
#include "browse/series/ui/seriescommands.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/series/ui/themeform.h"
#include "support/programfixture.h"

// The series menu's editing commands, the Themes page and its setup window,
// the series menus of "Favorites" and the empty-series callout, reached as
// a collector reaches them in the running program.
namespace {

struct tProgram {
    tProgramFixture Program{tScriptedUi::tUnscripted::Fail};
    TMainForm *Form = nullptr;
    tProgram()
    {
        Form = &Program.Open();
        Program.Start();
        Program.Trigger(QStringLiteral("MenuItem17"));
        State().DataModified = false;
    }
    tMainState &State() { return Program.State(); }
    TNewFolder_Form *Dialog() { return Form->SeriesCommands->NewFolderForm(); }
    void Select(tnodeinfo *node)
    {
        State().SelectedTreeNode = node;
        Q_EMIT State().Events->SeriesSelected();
        QCoreApplication::processEvents();
    }
    // Opens the series menu's command with the dialog, and runs act on the
    // dialog while it shows; a dialog act left open is cancelled.
    void WithDialog(const char *command, std::function<void(TNewFolder_Form &)> act)
    {
        bool shown = false;
        TNewFolder_Form *dialog = Dialog();
        QTimer::singleShot(0, [&] {
            shown = dialog->isVisible();
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        Program.Trigger(QString::fromLatin1(command));
        QVERIFY(shown);
        QVERIFY(!dialog->isVisible());
    }
};

tnodeinfo *WithChildren(tnodeinfo *root, bool withChildren)
{
    tnodeinfo *found = nullptr;
    ForEachNode(root, [&](tnodeinfo *n) {
        if (!found && n != root && n->ChildNodes.empty() != withChildren)
            found = n;
    });
    return found;
}

bool Shown(QWidget *w)
{
    return w->isVisibleTo(w->window());
}

} // namespace

class tst_SeriesProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theDialogFollowsTheSeriesAndTheShape()
    {
        tProgram p;
        tnodeinfo *root = p.State().EntireCollection.get();
        tnodeinfo *leaf = WithChildren(root, false);
        tnodeinfo *parent = WithChildren(root, true);
        QVERIFY(leaf && parent);

        // The root's properties: it never moves.
        p.Select(root);
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Series properties"));
            QVERIFY(!d.MoveCheckBox->isEnabled());
            QVERIFY(!d.MoveCheckBox->isChecked());
            QVERIFY(!Shown(d.BelowButton));
            QCOMPARE(d.Edit1->text(), QStringLiteral("Entire Collection"));
        });
        // A new series under the root goes inside it.
        p.WithDialog("Addanewseries1", [](TNewFolder_Form &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Create new Series"));
            QVERIFY(Shown(d.BelowButton) && Shown(d.InsideButton));
            QVERIFY(!d.BelowButton->isEnabled());
            QVERIFY(d.InsideButton->isChecked());
            // A blank name cannot be confirmed.
            QVERIFY(d.Edit1->text().isEmpty());
            QVERIFY(!d.OkBtn->isEnabled());
            d.Edit1->setText(QStringLiteral("   "));
            QVERIFY(!d.OkBtn->isEnabled());
            d.Edit1->setText(QStringLiteral(" x"));
            QVERIFY(d.OkBtn->isEnabled());
        });
        QVERIFY(!p.State().DataModified);  // cancelled

        // A leaf may be a comment; a series with sub-series may not.
        p.Select(leaf);
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            QCOMPARE(d.NodeModeBox->count(), 3);
            QVERIFY(d.MoveCheckBox->isEnabled());
        });
        p.Select(parent);
        p.WithDialog("Addanewseries1", [](TNewFolder_Form &d) {
            QVERIFY(d.BelowButton->isEnabled() && d.BelowButton->isChecked());
            QVERIFY(!d.InsideButton->isChecked());
        });
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            QCOMPARE(d.NodeModeBox->count(), 2);
            // The shape decides the measure labels and boxes.
            const struct {
                int Code;
                const char *First;
                const char *Second;
                bool Height, Sides;
            } shapes[] = {{0, "Diameter", "", false, false},
                          {7, "Width", "Height", true, false},
                          {8, "Diameter", "Sides", false, true},
                          {10, "Diameter", "Bumps", false, true},
                          {6, "Width", "", false, false}};
            for (const auto &shape : shapes) {
                d.ComboBox2->setCurrentIndex(d.ComboBox2->findData(shape.Code));
                QCOMPARE(d.Label4->text(), QString::fromLatin1(shape.First));
                QCOMPARE(Shown(d.Label5), *shape.Second != 0);
                if (*shape.Second)
                    QCOMPARE(d.Label5->text(), QString::fromLatin1(shape.Second));
                QCOMPARE(Shown(d.Edit4), shape.Height);
                QCOMPARE(Shown(d.ComboBox3), shape.Sides);
            }
        });
    }

    void addingASeriesInsideShowsItInTheTreeAndStoresIt()
    {
        tProgram p;
        tnodeinfo *parent = WithChildren(p.State().EntireCollection.get(), true);
        QVERIFY(parent);
        p.Select(parent);
        const size_t children = parent->ChildNodes.size();
        p.WithDialog("Addanewseries1", [](TNewFolder_Form &d) {
            d.Edit1->setText(QStringLiteral("  My tokens "));
            QTest::mouseClick(d.InsideButton, Qt::LeftButton);
            d.Edit2->setText(QStringLiteral("600"));
            QTest::mouseClick(d.OkBtn, Qt::LeftButton);
        });
        QCOMPARE(parent->ChildNodes.size(), children + 1);
        tnodeinfo *added = parent->ChildNodes.back().get();
        QCOMPARE(added->NodeName, QStringLiteral("My tokens"));
        QVERIFY(added->CoinType >= FirstUserSeries);
        QCOMPARE(added->Country, UserCountry);
        QCOMPARE(added->Measure1, 500.0f);
        QCOMPARE(p.State().SelectedTreeNode, added);
        QVERIFY(std::find(p.State().VisibleNodeList.begin(), p.State().VisibleNodeList.end(), added) !=
                p.State().VisibleNodeList.end());
        QVERIFY(p.State().DataModified);
        QVERIFY(p.Form->windowTitle().endsWith(QStringLiteral("(Modified)")));

        // An empty user series shows the callout over the Pricing tab; a
        // price column takes it away.
        QWidget *callout = p.Form->findChild<QWidget *>(QStringLiteral("UserSeries_Popup"));
        QVERIFY(callout && callout->isVisible());
        // The whole text fits its box: no line is cut off.
        auto *text = callout->findChild<QLabel *>(QStringLiteral("Label140"));
        QVERIFY(text);
        QVERIFY2(text->height() >= text->heightForWidth(text->width()),
                 qPrintable(QStringLiteral("%1 < %2").arg(text->height()).arg(text->heightForWidth(text->width()))));
        QVERIFY(callout->rect().contains(text->geometry()));
        p.Form->PageTabs->setCurrentIndex(PagePricing);
        QTest::mouseClick(p.Form->findChild<QPushButton *>(QStringLiteral("AddPriceBtn")), Qt::LeftButton);
        QVERIFY(!callout->isVisible());

        // What is stored comes back.
        const QString file = p.Program.Home() + QStringLiteral("/Added.OVD");
        p.Program.Ui.pick({file});
        p.Program.Trigger(QStringLiteral("SaveCoinData1"));
        const int number = added->CoinType;
        const int parentNumber = parent->CoinType;  // the read frees the tree
        QVERIFY(p.Form->Seams.LoadDataFromFile(file, false));
        tnodeinfo *back = CoinTypeToNodeInfo(p.State(), number);
        QVERIFY(back);
        QCOMPARE(back->NodeName, QStringLiteral("My tokens"));
        QCOMPARE(back->ParentNode->CoinType, parentNumber);
    }

    void propertiesCopiedDownAndDeletingFromTheMenu()
    {
        tProgram p;
        tnodeinfo *parent = WithChildren(p.State().EntireCollection.get(), true);
        QVERIFY(parent);
        p.Select(parent);
        p.Program.Ui.answer(QStringLiteral("Done"), CopyGradeScale);
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            d.ComboBox4->setCurrentIndex(4);
            QTest::mouseClick(d.OkBtn, Qt::LeftButton);
        });
        ForEachNode(parent, [](tnodeinfo *n) { QCOMPARE(n->GradeScale, uint8_t(4)); });

        // The recent menu lists it; deleting it leaves an item that selects nothing.
        p.Form->PageTabs->setCurrentIndex(PageCoins);
        p.Form->PageTabs->setCurrentIndex(PageSeries);
        QAction *recent = p.Form->RecentSeriesMenu->actions().value(0);
        QVERIFY(recent && recent->isEnabled());
        QCOMPARE(recent->text(), parent->NodeName.trimmed().replace(QLatin1Char('&'), QStringLiteral("&&")));
        tnodeinfo *grandParent = parent->ParentNode;
        p.Program.Ui.answer(QStringLiteral("Yes"));
        p.Program.Trigger(QStringLiteral("Deletethisfolder1"));
        QCOMPARE(p.State().SelectedTreeNode, grandParent);
        QVERIFY(p.State().DataModified);
        recent->trigger();
        QCOMPARE(p.State().SelectedTreeNode, grandParent);

        // The root cannot be deleted.
        p.Select(p.State().EntireCollection.get());
        Q_EMIT p.Form->SeriesTree->RightMenu->aboutToShow();
        QVERIFY(!p.Program.Action(QStringLiteral("Deletethisfolder1"))->isEnabled());
    }

    // A wide measure with a decimal is typed whole, and OK after changing
    // only the name keeps it (and copying "Shape & size" down spreads it,
    // not a zero).
    void wideMeasuresSurviveTypingAndANameChange()
    {
        tProgram p;
        tnodeinfo *parent = WithChildren(p.State().EntireCollection.get(), true);
        QVERIFY(parent);
        p.Select(parent);
        p.Program.Ui.answer(QStringLiteral("Done"), 0);
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            // The modal dialog takes the keyboard, as it does on screen.
            QApplication::setActiveWindow(&d);
            d.ComboBox2->setCurrentIndex(d.ComboBox2->findData(7));  // rectangle: width and height
            d.Edit2->setFocus();
            QVERIFY(d.Edit2->hasFocus());
            d.Edit2->selectAll();
            QTest::keyClicks(d.Edit2, QStringLiteral("155.5"));
            QCOMPARE(d.Edit2->text(), QStringLiteral("155.5"));
            d.Edit4->setFocus();
            QVERIFY(d.Edit4->hasFocus());
            d.Edit4->selectAll();
            QTest::keyClicks(d.Edit4, QStringLiteral("120.25"));  // one decimal more than the box takes
            QCOMPARE(d.Edit4->text(), QStringLiteral("120.2"));
            d.Edit1->setFocus();
            QCOMPARE(d.Edit2->text(), QStringLiteral("155.5 mm"));
            QTest::mouseClick(d.OkBtn, Qt::LeftButton);
        });
        QCOMPARE(parent->Measure1, 155.5f);
        QCOMPARE(parent->Measure2, 120.2f);

        // A measure stored with more precision than the box shows.
        parent->Measure2 = 120.25f;
        p.Program.Ui.answer(QStringLiteral("Done"), CopyShapeAndSize);
        p.WithDialog("Properties1", [](TNewFolder_Form &d) {
            QCOMPARE(d.Edit2->text(), QStringLiteral("155.5 mm"));
            // The modal dialog takes the keyboard, as it does on screen.
            QApplication::setActiveWindow(&d);
            // Passing through the measure boxes changes nothing.
            d.Edit2->setFocus();
            d.Edit4->setFocus();
            d.Edit1->setFocus();
            d.Edit1->end(false);
            QTest::keyClicks(d.Edit1, QStringLiteral(" renamed"));
            QTest::mouseClick(d.OkBtn, Qt::LeftButton);
        });
        QVERIFY(parent->NodeName.endsWith(QStringLiteral(" renamed")));
        ForEachNode(parent, [](tnodeinfo *n) {
            QCOMPARE(n->Measure1, 155.5f);
            QCOMPARE(n->Measure2, 120.25f);
            QCOMPARE(n->CoinShape, uint8_t(7));
        });
    }

    void favouritesMenuFollowsTheFavouriteBox()
    {
        tProgram p;
        QMenu *favs = p.Form->FavoriteSeriesMenu;
        QCOMPARE(favs->actions().size(), 1);
        QCOMPARE(favs->actions()[0]->text(), QStringLiteral("There are currently no series marked as favories"));
        QVERIFY(!favs->actions()[0]->isEnabled());
        tnodeinfo *leaf = WithChildren(p.State().EntireCollection.get(), false);
        p.Select(leaf);
        p.Form->FavoriteBox->click();
        QCOMPARE(favs->actions().size(), 1);
        QVERIFY(favs->actions()[0]->isEnabled());
        p.Select(p.State().EntireCollection.get());
        favs->actions()[0]->trigger();
        QCOMPARE(p.State().SelectedTreeNode, leaf);
    }

    void themeBoxesTagTheSeriesAndStepThroughThem()
    {
        tProgram p;
        tnodeinfo *root = p.State().EntireCollection.get();
        tnodeinfo *leaf = WithChildren(root, false);
        p.Select(leaf);
        QTest::mouseClick(p.Form->ThemesCornerButton, Qt::LeftButton);
        QCOMPARE(p.Form->SideTabs->currentWidget(), p.Form->Tab2Themes);
        // A new collection shows its 17 named themes.
        int shown = 0;
        for (int t = 0; t < ThemeCount; ++t)
            shown += Shown(p.Form->findChild<QWidget *>(QStringLiteral("ThemeLayout%1").arg(t))) ? 1 : 0;
        QCOMPARE(shown, 17);
        auto *box = p.Form->findChild<QCheckBox *>(QStringLiteral("ThemeCheckBox6"));
        QCOMPARE(box->text(), QStringLiteral("Boats && Ships"));
        box->click();
        QCOMPARE(leaf->Themes, 1 << 6);
        QVERIFY(p.State().DataModified);
        QVERIFY(p.Form->windowTitle().endsWith(QStringLiteral("(Modified)")));

        // The step button goes to the carrier from elsewhere.
        p.Select(root);
        QVERIFY(!box->isChecked());
        p.Form->findChild<QToolButton *>(QStringLiteral("ThemeButton6"))->click();
        QCOMPARE(p.State().SelectedTreeNode, leaf);
        QVERIFY(box->isChecked());
    }

    void creditPictureSlidesInForACountryAndGoesOnAClick()
    {
        tProgram p;
        // A series of another country than the sample catalogue's.
        tnodeinfo *series = AddChildNode(p.State().EntireCollection.get(), 14001);
        series->NodeName = QStringLiteral("Elsewhere");
        const int code = CreditPictureCode(CoinTypeToCountry(series->CoinType));
        QVERIFY(code > 0);
        p.Select(series);
        auto *picture = p.Form->findChild<QLabel *>(QStringLiteral("AdminImage"));
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->property("Tag").toInt(), code);
        QWidget *area = p.Form->SeriesTree->TreeLayout();
        QCOMPARE(picture->width(), area->width() / 8);
        QCOMPARE(picture->x(), area->width() - picture->width());
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(picture->y(), area->height());
        QCOMPARE(picture->property("Tag").toInt(), code | CreditDismissed);
        // The root is no country: no picture is chosen.
        p.Select(p.State().EntireCollection.get());
        QCOMPARE(picture->property("Tag").toInt(), CreditNone);
    }

    void themeSetupRenamesTheThemes()
    {
        tProgram p;
        p.Program.Trigger(QStringLiteral("MenuItem1"));
        TThemeForm *form = p.Form->SeriesCommands->ThemeForm;
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Orvanta: Theme Setup"));
        // It opens at the top: the first row shows whole.
        QApplication::processEvents();
        auto *scroll = form->findChild<QScrollArea *>(QStringLiteral("ScrollBox1"));
        QWidget *firstRow = form->findChild<QWidget *>(QStringLiteral("ThemeItem0"));
        QVERIFY(scroll && firstRow);
        const QRect shown(firstRow->mapTo(scroll->viewport(), QPoint(0, 0)), firstRow->size());
        QVERIFY2(scroll->viewport()->rect().contains(shown),
                 qPrintable(QStringLiteral("row at %1, scrolled %2").arg(shown.y()).arg(scroll->verticalScrollBar()->value())));
        form->findChild<QLineEdit *>(QStringLiteral("ThemeEdit20"))->setText(QStringLiteral("Ships & boats"));
        form->findChild<QLineEdit *>(QStringLiteral("ThemeEdit3"))->clear();
        QTest::mouseClick(form->OKbutton, Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!p.Form->SeriesCommands->ThemeForm);
        QCOMPARE(p.State().ThemeNames[20], QStringLiteral("Ships & boats"));
        QVERIFY(p.State().DataModified);
        // The Themes page shows the new name and loses the cleared one.
        QVERIFY(!p.Form->findChild<QWidget *>(QStringLiteral("ThemeLayout20"))->isHidden());
        QVERIFY(p.Form->findChild<QWidget *>(QStringLiteral("ThemeLayout3"))->isHidden());
        QCOMPARE(p.Form->findChild<QCheckBox *>(QStringLiteral("ThemeCheckBox20"))->text(),
                 QStringLiteral("Ships && boats"));
    }
};

QTEST_MAIN(tst_SeriesProperties)
#include "tst_seriesproperties.moc"
