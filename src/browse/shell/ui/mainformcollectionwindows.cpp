// The tool windows that hold data of the open collection, closed when
// another collection replaces it.
#include "browse/shell/ui/mainform.h"

#include "core/collection/ui/populateform.h"
#include "core/collection/ui/udfform.h"
#include "browse/countries/ui/collectioncommands.h"
#include "browse/countries/ui/countryform.h"
#include "browse/images/ui/repositoryform.h"
#include "browse/series/ui/newfolderform.h"
#include "browse/series/ui/seriescommands.h"
#include "browse/series/ui/themeform.h"
#include "browse/seriespictures/ui/quarterform.h"
#include "pricing/pricetools/ui/gradesform.h"

namespace {

// Closes a window as its Cancel would (a dialog's close rejects it):
// nothing it holds is written.
void CloseUnapplied(QWidget *w)
{
    if (w && w->isVisible())
        w->close();
}

} // namespace

void TMainForm::CloseCollectionWindows()
{
    // Each of these would write what it shows (theme names, user fields,
    // grade scales, pictures, series, entries) into whichever collection is
    // open when its OK is pressed: the old collection's data must not reach
    // the new one. The find and track windows stay: they forget what they
    // found when the entries go (CoinsCleared) and search the new collection.
    if (SeriesCommands) {
        CloseUnapplied(SeriesCommands->ThemeForm);
        if (NewFolderInUse)
            CloseUnapplied(SeriesCommands->NewFolderForm());
    }
    CloseUnapplied(UDFform);
    CloseUnapplied(GradesForm);
    CloseUnapplied(RepositoryForm);
    CloseUnapplied(QuarterForm);
    if (auto *commands = findChild<TCollectionCommands *>()) {
        CloseUnapplied(commands->CountryForm);
    }
    for (TPopulateForm *populate : findChildren<TPopulateForm *>())
        CloseUnapplied(populate);
}
