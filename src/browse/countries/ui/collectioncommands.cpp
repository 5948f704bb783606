#include "browse/countries/ui/collectioncommands.h"

#include <QAction>

#include "core/catalogue/countryitems.h"
#include "core/program/epicmessage.h"
#include "browse/countries/ui/countryform.h"
#include "browse/finders/ui/findercommands.h"
#include "browse/finders/ui/findforms.h"
#include "browse/shell/ui/mainform.h"
#include "platform/paths.h"

TCollectionCommands::TCollectionCommands(TMainForm &form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("CollectionCommands"));
    const std::pair<const char *, void (TCollectionCommands::*)()> commands[] = {
        {"Addcountries1", &TCollectionCommands::Addcountries1Click},
        {"Copytoclipboard1", &TCollectionCommands::Copytoclipboard1Click},
        {"PasteFromClipboard1", &TCollectionCommands::PasteFromClipboard1Click},
    };
    for (const auto &[name, handler] : commands)
        if (QAction *a = form_.findChild<QAction *>(QString::fromLatin1(name)))
            connect(a, &QAction::triggered, this, handler);
}

void TCollectionCommands::Addcountries1Click()
{
    if (!CountryForm) {
        tMainState &s = form_.State;
        const QString found = platform::findEntryIgnoreCase(s.OtherRedirect, CountriesDataName);
        const QString data = s.OtherRedirect + (found.isEmpty() ? CountriesDataName : found);
        // The maintainer edits the list as an INI file beside it.
        const QString ini = platform::findEntryIgnoreCase(s.OtherRedirect, CountriesIniName);
        if (s.MaintainerMode && !ini.isEmpty())
            BuildCountriesData(s.OtherRedirect + ini, data);
        // A missing or damaged list is reported as an error and no window
        // opens, so the menu can try again.
        std::vector<tCountryItem> items = LoadCountryItemsFile(data);
        CountryForm = new TCountryForm(s, std::move(items), form_.Finders->Navigation(), &form_);
        CentreOver(CountryForm, &form_);
    }
    CountryForm->show();
    CountryForm->raise();
    CountryForm->activateWindow();
}

void TCollectionCommands::Copytoclipboard1Click()
{
    const QString message = CopyFolderToClipboard(form_.State, Clipboard, form_.State.SelectedTreeNode);
    ShowEpicMessage(message, QStringLiteral("OK"));
}

void TCollectionCommands::PasteFromClipboard1Click()
{
    if (form_.State.StructureLoadActive)
        return;  // a structure load holds the tree's series by number
    const QString message = PasteFromClipboard(form_.State, Clipboard);
    ShowEpicMessage(message, QStringLiteral("OK"));
}
