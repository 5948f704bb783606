#include "app/updatewindows.h"

#include <QAction>

#include "browse/shell/ui/mainform.h"
#include "updates/bluetooth/ui/bluetoothform.h"
#include "updates/imagepacks/ui/imageupdateform.h"
#include "updates/newcointypes/ui/autoupdateform.h"
#include "updates/programupdate/ui/programupdateform.h"

void WireUpdateWindows(TMainForm &form)
{
    const auto connectItem = [&form](const char *name, std::function<void()> open) {
        if (auto *item = form.findChild<QAction *>(QString::fromLatin1(name)))
            QObject::connect(item, &QAction::triggered, &form, std::move(open));
    };
    connectItem("Checkforimageupdates1", [&form] { OpenImageUpdateForm(form.State, &form); });
    connectItem("Checkforprogramupdates1", [&form] { OpenProgramUpdateForm(form.State, &form); });
    connectItem("AutoAdd1", [&form] { OpenAutoUpdateForm(form.State, &form); });
    connectItem("BlueToothMenuItem", [&form] { OpenBlueToothForm(&form); });

    // The new-coin-type checklist shows the open collection's choice; OK
    // after another collection was read would write it into that one.
    QObject::connect(form.State.Events.get(), &tStateEvents::CollectionReplaced, &form, [] {
        if (AutoUpdateForm)
            AutoUpdateForm->close();
    });
}
