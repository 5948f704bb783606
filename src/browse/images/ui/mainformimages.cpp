// The coin pictures in the main window: the Images page takes the place of
// the layout's stand-ins in TabImages and serves the page switch's seams;
// Tools "Image Repository" opens the repository window.
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QBoxLayout>
#include <QTabWidget>

#include "core/program/errorreport.h"
#include "browse/shell/pageswitch.h"
#include "browse/images/ui/coinimagespage.h"
#include "browse/images/ui/repositoryform.h"

namespace {

// A page step called from the page switch: a picture that cannot be read
// is reported and the switch goes on.
template <class Fn>
std::function<void()> Reported(Fn fn)
{
    return [fn] {
        try {
            fn();
        } catch (const std::exception &e) {
            AppException(e);
        }
    };
}

} // namespace

void TMainForm::EmbedImagesPage()
{
    // The window's control members name the page's working controls.
    ImagesPage = new TCoinImagesPage(State, ImageRadios, TabImages);
    TabImages->layout()->addWidget(ImagesPage);
    ImageRadioObv = ImagesPage->ImageRadioObv;
    ImageRadioRev = ImagesPage->ImageRadioRev;
    ImageRadioReceipt = ImagesPage->ImageRadioReceipt;
    ImageRadioAdd = ImagesPage->ImageRadioAdd;
    SaveImageButton = ImagesPage->SaveImageButton;
    PrintImageButton = ImagesPage->PrintImageButton;
    iView = ImagesPage->iView;
    ImageEffectsLayout = ImagesPage->ImageEffectsLayout;
    CoinPDFLayout = ImagesPage->CoinPDFLayout;

    ImagesPage->Hooks.SelectedCoin = [this]() -> tCoinInfo * {
        const int row = CallSeam(Seams.CoinGridRow);
        return row >= 0 && row < static_cast<int>(State.CurrCoinList.size()) ? State.CurrCoinList[size_t(row)]
                                                                              : nullptr;
    };
    ImagesPage->Hooks.Modified = [this] {
        State.DataModified = true;
        Q_EMIT State.Events->RefreshCoinGrid();  // its picture mark follows the entry
        Q_EMIT State.Events->SetMainCaption();
        Q_EMIT State.Events->SetSaveMenuVisibility();
    };
    SetIfUnset(Seams.BuildImageRadios, Reported([this] { ImagesPage->BuildImageRadios(); }));
    SetIfUnset(Seams.LoadCoinImage, Reported([this] { ImagesPage->LoadCoinImage(); }));
    SetIfUnset(Seams.UpdateImageButtons, [this] { ImagesPage->UpdateImageButtons(); });
    SetIfUnset(Seams.ResetImageEffects, Reported([this] { ImagesPage->ResetImageEffects(); }));

    if (auto *repository = findChild<QAction *>(QStringLiteral("Repository1")))
        connect(repository, &QAction::triggered, this, &TMainForm::Repository1Click);
}

void TMainForm::Repository1Click()
{
    if (!RepositoryForm) {
        RepositoryForm = new TRepositoryForm(State, [this] {
            Q_EMIT State.Events->SetMainCaption();
            Q_EMIT State.Events->SetSaveMenuVisibility();
            // The picture shown may now be found elsewhere.
            if (CurrentPageTag() == PageImages)
                CallSeam(Seams.LoadCoinImage);
        }, this);
    }
    // Centred over the main window on every request, also when it was open.
    const QRect m = geometry();
    RepositoryForm->move(m.left() + (m.width() - RepositoryForm->width()) / 2,
                         m.top() + (m.height() - RepositoryForm->height()) / 2);
    RepositoryForm->show();
    RepositoryForm->raise();
    RepositoryForm->activateWindow();
}
