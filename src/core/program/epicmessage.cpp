#include "core/program/epicmessage.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "platform/paths.h"
#include "platform/uiservices.h"

uint8_t EpicOptionBits = 0;
bool EpicDontAsk = false;
int MsgCounter = 0;
bool MessageInUse = false;
tEpicMessageHooks EpicMessageHooks;

namespace {

bool Blank(const QString &s)
{
    return s.trimmed().isEmpty();
}

QImage StoredPicture(const QString &name, const QString &folder)
{
    if (Blank(name))
        return {};
    for (const QString &entry : platform::sortedEntries(folder)) {
        const QString base = QFileInfo(entry).completeBaseName();
        if (entry.compare(name, Qt::CaseInsensitive) == 0 || base.compare(name, Qt::CaseInsensitive) == 0) {
            QImage img(QDir(folder).filePath(entry));
            if (!img.isNull())
                return img;
        }
    }
    return {};
}

// The picture of the box, or a null image. Whatever goes wrong while
// looking for it leaves the box without a picture; the question still goes.
QImage PickPicture(int wideButtons, const QString &forceImage, int countryImageNo)
{
    if (wideButtons > 0)
        return {};
    try {
        if (!Blank(forceImage))
            return LoadForcedImage(forceImage);
        if (EpicMessageHooks.DefaultPicture)
            return EpicMessageHooks.DefaultPicture(countryImageNo > 0 ? countryImageNo : 0);
    } catch (...) {
    }
    return {};
}

} // namespace

QImage LoadForcedImage(const QString &forceImage, const QString &pictureFolder)
{
    if (Blank(forceImage))
        return {};
    static const QString prefix = QStringLiteral("Resource/");
    if (forceImage.left(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
        return StoredPicture(forceImage.mid(prefix.size()), pictureFolder);
    const QString path = platform::resolvePath(forceImage);
    if (!QFileInfo(path).isFile())
        return {};
    return QImage(path);
}

std::vector<int> ArrangeButtonRow(int rowWidth, int slotWidth, const std::vector<int> &buttonWidths)
{
    const double centre = rowWidth / 2.0;
    std::vector<double> slots;
    switch (buttonWidths.size()) {
    case 0:
        return {};
    case 1:
        return {static_cast<int>(std::trunc((rowWidth - buttonWidths[0]) / 2.0))};
    case 2:
        slots = {centre - 10 - slotWidth, centre + 10};
        break;
    default: {
        const double middle = (rowWidth - slotWidth) / 2.0;
        slots = {middle - 14 - slotWidth, middle, middle + slotWidth + 14};
        break;
    }
    }
    std::vector<int> lefts;
    for (size_t i = 0; i < slots.size() && i < buttonWidths.size(); ++i)
        lefts.push_back(static_cast<int>(std::trunc(slots[i] + (slotWidth - buttonWidths[i]) / 2.0)));
    return lefts;
}

uint8_t ShowEpicMessage(const QString &Messagetext, const QString &buttontext1, const QString &buttontext2,
                        const QString &buttontext3, const QString &buttontext4, const QString &buttontext5,
                        const QString &buttontext6, int Icon1, int Icon2, int Icon3, int Icon4, int Icon5,
                        int Icon6, int WideButtons, const QString &AskText, bool AskDefault,
                        const QString &ForceImage, int StayPressed, int CountryImageNo)
{
    CurrProcGuard guard(Blocks::ShowEpicMessage);
    const QString *texts[6] = {&buttontext1, &buttontext2, &buttontext3, &buttontext4, &buttontext5, &buttontext6};
    const int icons[6] = {Icon1, Icon2, Icon3, Icon4, Icon5, Icon6};

    platform::MessageRequest request;
    request.Caption = QStringLiteral("Orvanta");
    request.Text = Messagetext;
    for (int i = 0; i < 6; ++i) {
        if (Blank(*texts[i]))
            continue;
        platform::MessageButton b;
        b.Caption = *texts[i];
        b.Value = 1 << i;
        b.ImageIndex = icons[i];
        b.Toggle = (StayPressed & b.Value) != 0;
        b.Wide = (WideButtons & b.Value) != 0;
        request.Buttons.push_back(b);
    }
    request.ShowDontAsk = !Blank(AskText);
    request.AskText = AskText;
    request.AskDefault = AskDefault;
    request.Picture = ForceImage;
    request.Image = PickPicture(WideButtons, ForceImage, CountryImageNo);
    request.LargeText = EpicMessageHooks.LargeText && EpicMessageHooks.LargeText();

    const platform::MessageResult result = platform::ui().showMessage(request);
    int toggles = 0;
    for (const platform::MessageButton &b : request.Buttons)
        if (b.Toggle)
            toggles |= b.Value;
    EpicOptionBits = static_cast<uint8_t>(result.OptionBits & toggles);
    EpicDontAsk = result.DontAsk;
    return static_cast<uint8_t>(result.Value);
}
