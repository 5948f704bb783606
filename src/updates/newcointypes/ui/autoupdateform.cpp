#include "updates/newcointypes/ui/autoupdateform.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/program/settings.h"
#include "core/model/currproc.h"
#include "updates/newcointypes/autoadd.h"
#include "updates/pricelists/priceupdate.h"
#include "updates/pricelists/ui/countrychecklist.h"

TAutoUpdateForm *AutoUpdateForm = nullptr;
bool AutoUpdateInUse = false;

namespace {

constexpr int RowHeight = 22;

QString NoAccelerator(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TAutoUpdateForm::TAutoUpdateForm(tMainState &s, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s)
{
    setObjectName(QStringLiteral("AutoUpdateForm"));
    setWindowTitle(QStringLiteral("Adding new coin types"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(530, 458);

    Label1 = new QLabel(
        QStringLiteral("When a collection file is opened, Orvanta will check if there are new coin types in the database "
                       "for any countries which you\u2019ve included in your collection.  If there are, it will ask you if "
                       "you\u2019d like to add those coin types.  Sometimes you may want to turn that checking off if, for "
                       "example, you purposely deleted a bunch of coin types (perhaps you only collect certain types of "
                       "coins from some countries).  This checklist indicates which countries should be checked when a "
                       "collection file is opened."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 8, 514, 110);

    ScrollBox1 = new TCountryChecklist(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(8, 124, 360, 326);

    const struct {
        const char *Name;
        const char *Caption;
        int Tag;
    } selection[] = {{"SelectAllBtn", "Select all", AutoSelectAllTag},
                     {"SelectCoinsBtn", "Select coins", AutoSelectCoinsTag},
                     {"SelectPaperBtn", "Select paper", AutoSelectPaperTag},
                     {"SelectNoneBtn", "Select none", AutoSelectNoneTag}};
    int y = 124;
    for (const auto &sel : selection) {
        auto *b = new QPushButton(QString::fromLatin1(sel.Caption), this);
        b->setObjectName(QString::fromLatin1(sel.Name));
        b->setGeometry(378, y, 144, 28);
        b->setProperty("Tag", sel.Tag);
        const int tag = sel.Tag;
        connect(b, &QPushButton::clicked, this, [this, tag] { SelectCoinsBtnClick(tag); });
        y += 34;
    }
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKbutton"));
    ok->setGeometry(378, 384, 144, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAutoUpdateForm::OKbuttonClick);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setGeometry(378, 420, 144, 28);
    connect(cancel, &QPushButton::clicked, this, &TAutoUpdateForm::CancelButtonClick);

    FormCreate();
}

TAutoUpdateForm::~TAutoUpdateForm()
{
    if (AutoUpdateForm == this)
        AutoUpdateForm = nullptr;
    AutoUpdateInUse = false;
}

void TAutoUpdateForm::FormCreate()
{
    AutoUpdateInUse = true;
    std::vector<int> lastUpdate;
    lastUpdate = ParsePLU(ReadRegString(PLUSettingName, QString()));
    ScrollBox1->Build(s_.CountryList, tChecklistMetrics{RowHeight, 4, 32}, [&](tCountryInfo &c, QWidget *content) {
        auto *box = new QCheckBox(content);
        box->setObjectName(QStringLiteral("AutoAddCheckBox%1").arg(c.CountryID));
        box->resize(ScrollBox1->ClientWidth() - 24, RowHeight);
        box->setChecked(AutoAddInitiallyChecked(s_.AutoAddStr, c.CountryID, lastUpdate));
        CheckBoxList_.push_back({box, &c});
        return box;
    });
    ResetCaptions();
    SortCheckBoxes();
}

void TAutoUpdateForm::ResetCaptions()
{
    for (const tAutoAddItem &item : CheckBoxList_)
        item.CheckBox->setText(NoAccelerator(CountryRowCaption(*item.Country)));
}

void TAutoUpdateForm::SortCheckBoxes()
{
    SortItemsByCaption(CheckBoxList_, [](const tAutoAddItem &item) { return CountryRowCaption(*item.Country); });
}

void TAutoUpdateForm::SelectCoinsBtnClick(int tag)
{
    for (const tAutoAddItem &item : CheckBoxList_)
        item.CheckBox->setChecked(AutoAddSelectionChecks(tag, item.Country->IsPaper));
}

void TAutoUpdateForm::OKbuttonClick()
{
    std::vector<std::pair<int, bool>> rows;
    rows.reserve(CheckBoxList_.size());
    for (const tAutoAddItem &item : CheckBoxList_)
        rows.emplace_back(item.Country->CountryID, item.CheckBox->isChecked());
    const QString value = MakeAutoAddStr(rows);
    // The string is stored in the collection file: a change that did not
    // mark the collection would be lost on closing without a word.
    if (value != s_.AutoAddStr) {
        s_.AutoAddStr = value;
        s_.DataModified = true;
        Q_EMIT s_.Events->SetMainCaption();
    }
    close();
}

void TAutoUpdateForm::CancelButtonClick()
{
    close();
}

TAutoUpdateForm *OpenAutoUpdateForm(tMainState &s, QWidget *mainWindow)
{
    CurrProcGuard guard(AutoUpdateBlock);
    if (!AutoUpdateForm) {
        AutoUpdateForm = new TAutoUpdateForm(s, mainWindow);
        if (mainWindow) {
            const QPoint centre = mainWindow->frameGeometry().center();
            AutoUpdateForm->move(centre - QPoint(AutoUpdateForm->width() / 2, AutoUpdateForm->height() / 2));
        }
    }
    AutoUpdateForm->show();
    AutoUpdateForm->raise();
    AutoUpdateForm->activateWindow();
    return AutoUpdateForm;
}
