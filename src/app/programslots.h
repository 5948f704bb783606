#pragma once
// Every optional call slot of the assembled program in one list: the main
// window's seams, the selection steps, the finders'
// navigation steps, the housekeeping steps, the welcome window's hooks, the
// message box's hooks and the Images page's hooks. A slot is either set when
// the window is built or named in the table of what waits for its unit
// (src/browse/shell/ui/waitingcommands.h); BuildProgramWindow gives each
// waiting one a stand-in that logs and tells the user, and the action-walk
// test checks the rule for every slot listed here.
//
// The state's notifications are not slots but signals of tStateEvents
// (core/model/stateevents.h); the same rule holds for them, with the names
// "Events.X": BuildProgramWindow connects a stand-in to each waiting one,
// and the action-walk test walks their meta-object.
//
// The size checks below make a member added to one of these structs without
// its line here fail to compile.
#include <functional>

#include "app/programwindow.h"
#include "browse/finders/ui/findercommands.h"
#include "browse/images/ui/coinimagespage.h"
#include "core/collection/ui/filetoopenform.h"
#include "core/program/epicmessage.h"

#define ORV_WINDOW_SEAMS(X)                                                                                            \
    X(LogModeKeysHeld) X(InstallAppException) X(BuildThemePanel) X(LoadMetals) X(LoadFormState) X(LoadCountries)       \
    X(LoadForexAndSpotPrices) X(LoadPriceDates) X(BuildNodePorts) X(LoadEbooks) X(ViewFlags)                           \
    X(ViewHaveCheckBoxChange) X(PlaceThumbnailPanel) X(InstallAppHint) X(DataSetCoinsFieldCount) X(ShowBinCount)       \
    X(SquewSpotPrices) X(DisplayMetalValues) X(FormsTimerTimer) X(CreateNewFolderForm) X(LoadDataFromFile)             \
    X(ShowWelcomeWindow) X(UseTips) X(Tipoftheday1Click) X(AssignNodePorts) X(RenderTree) X(MakeTreeNodeVisible)       \
    X(BigImageDown) X(ArrangeStatsLabels) X(SetupThemesBox) X(NamedThemeRows) X(ViewSizeBtnClick)                      \
    X(BuildFavoritesMenu) X(NextSeries) X(FullPath) X(SetSelectedLabelCaption) X(SetupPricelistColumns)                \
    X(RenderPrices) X(ResortPrices) X(ShowUserSeriesHint) X(ShowPastePriceForm)     \
    X(SelectedPriceEntry) X(RecordPriceUndo) X(CoinGridRow) X(SetCoinGridRow) X(SelectCoin) X(SortFolderCoins)         \
    X(AddRecent) X(BuildDateMintBoxList) X(UpdateSelectionSummary) X(ShowNAHint) X(NoteMaxedBtnClick)                  \
    X(SettingSlideLabelClick) X(ClearUDFlist2) X(CreateUDFobjects) X(ShowUDFValues) X(StuffCoinInfo)                   \
    X(RenderDatePopup) X(DatePopupClosePopup) X(DayCellMouseEnter) X(DayCellMouseLeave) X(DayCellClick)                \
    X(BuildImageRadios) X(LoadCoinImage) X(UpdateImageButtons) X(ResetImageEffects)                 \
    X(BookListBoxChange) X(BuildCollectionChart) X(ShowReportDescription) X(PreviewZoom) X(EmbedReportsPage)           \
    X(OpenPriceUpdateForm) X(CanClose) X(EmbedEbooksPage)

#define ORV_SELECTION_STEPS(X)                                                                                         \
    X(GradeTitle) X(SetSelectedLabelCaption) X(FillGradeBox) X(SetWarningLabelPrices) X(FillMintEdit) X(FillGMEdit)    \
    X(SetViewSizeVisible) X(LayoutMainForm) X(ShowImage) X(SetFavoriteBox) X(SetTabs) X(SetThemeBoxes)                 \
    X(SetForexLabel) X(StatsTabActive) X(StartCalcThread) X(SetCoinTexts) X(SetUpBookList) X(PrepCoinsPage)            \
    X(CoinGridToFirstRow) X(ShowThumbnails) X(ShowCountryCredit) X(ShowUserSeriesHint)

#define ORV_NAVIGATION_STEPS(X)                                                                                        \
    X(BigImageDown) X(ActivePage) X(ShowPage) X(MakeTreeNodeVisible) X(RenderTree) X(AddRecent)                        \
    X(BuildDateMintBoxList) X(ApplyViewFilter) X(SortFolderCoins) X(SelectCoin) X(SetCoinGridRow) X(RefreshPricing)

#define ORV_HOUSEKEEPING_STEPS(X)                                                                                      \
    X(ShowStatistics) X(SetTimerEnabled) X(UpdateSizeGrip) X(GlideRunning) X(ErrorWindowOpen) X(HomingWalk)            \
    X(ModalWindowOpen)

#define ORV_WELCOME_HOOKS(X) X(ShowSeriesPage) X(EnableMainPages) X(ImportFile)
#define ORV_MESSAGE_BOX_HOOKS(X) X(DefaultPicture) X(ButtonIcon) X(LargeText)
#define ORV_IMAGES_PAGE_HOOKS(X) X(SelectedCoin) X(Modified) X(ChoosePrinter) X(OpenFile)

namespace programslots {
#define ORV_COUNT(n) +1
constexpr size_t FunctionSize = sizeof(std::function<void()>);
static_assert((0 ORV_WINDOW_SEAMS(ORV_COUNT)) * FunctionSize == sizeof(tMainFormSeams),
              "a tMainFormSeams member is not listed");
static_assert((0 ORV_SELECTION_STEPS(ORV_COUNT)) * FunctionSize == sizeof(tSelectionSeams),
              "a tSelectionSeams member is not listed");
static_assert((0 ORV_NAVIGATION_STEPS(ORV_COUNT)) * FunctionSize == sizeof(tNavigationSeams),
              "a tNavigationSeams member is not listed");
static_assert((0 ORV_HOUSEKEEPING_STEPS(ORV_COUNT)) * FunctionSize == sizeof(tHousekeepingSteps),
              "a tHousekeepingSteps member is not listed");
static_assert((0 ORV_WELCOME_HOOKS(ORV_COUNT)) * FunctionSize == sizeof(tFileToOpenHooks),
              "a tFileToOpenHooks member is not listed");
static_assert((0 ORV_MESSAGE_BOX_HOOKS(ORV_COUNT)) * FunctionSize == sizeof(tEpicMessageHooks),
              "a tEpicMessageHooks member is not listed");
static_assert((0 ORV_IMAGES_PAGE_HOOKS(ORV_COUNT)) * FunctionSize == sizeof(TCoinImagesPage::tHooks),
              "a TCoinImagesPage::tHooks member is not listed");
#undef ORV_COUNT
} // namespace programslots

// Calls visit(name, slot) for every slot of the assembled window, name as
// "Seams.X", "SelectionSeams.X", "Navigation.X", "Housekeeping.X",
// "Welcome.X", "MessageBox.X" or "ImagesPage.X". The navigation and welcome
// hooks are made afresh for each use, so visit sees a copy of them; the
// others are the live slots and may be set by visit.
template <class Visit>
void VisitProgramSlots(TMainForm &form, Visit &&visit)
{
#define ORV_ONE(n) visit(ORV_PREFIX "." #n, o.n);
#define ORV_PREFIX "Seams"
    [&](tMainFormSeams &o) { ORV_WINDOW_SEAMS(ORV_ONE) }(form.Seams);
#undef ORV_PREFIX
#define ORV_PREFIX "SelectionSeams"
    [&](tSelectionSeams &o) { ORV_SELECTION_STEPS(ORV_ONE) }(form.SelectionSeams);
#undef ORV_PREFIX
#define ORV_PREFIX "Navigation"
    if (form.Finders) {
        tNavigationSeams nav = form.Finders->Navigation();
        [&](tNavigationSeams &o) { ORV_NAVIGATION_STEPS(ORV_ONE) }(nav);
    }
#undef ORV_PREFIX
#define ORV_PREFIX "Housekeeping"
    [&](tHousekeepingSteps &o) { ORV_HOUSEKEEPING_STEPS(ORV_ONE) }(form.Housekeeping.Steps);
#undef ORV_PREFIX
#define ORV_PREFIX "Welcome"
    {
        tFileToOpenHooks welcome = WelcomeHooks();
        [&](tFileToOpenHooks &o) { ORV_WELCOME_HOOKS(ORV_ONE) }(welcome);
    }
#undef ORV_PREFIX
#define ORV_PREFIX "MessageBox"
    [&](tEpicMessageHooks &o) { ORV_MESSAGE_BOX_HOOKS(ORV_ONE) }(EpicMessageHooks);
#undef ORV_PREFIX
#define ORV_PREFIX "ImagesPage"
    if (form.ImagesPage)
        [&](TCoinImagesPage::tHooks &o) { ORV_IMAGES_PAGE_HOOKS(ORV_ONE) }(form.ImagesPage->Hooks);
#undef ORV_PREFIX
#undef ORV_ONE
}
