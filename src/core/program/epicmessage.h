#pragma once
// The program's one message box. Every question and notice goes through
// ShowEpicMessage, which builds the request, picks the picture and asks
// through the user-interface seam (platform::ui()), so logic that asks a
// question runs in tests against scripted answers. The window itself is
// TEpicMessage (core/program/ui/epicmessageform.h).
#include <cstdint>
#include <functional>
#include <vector>

#include <QIcon>
#include <QImage>
#include <QString>

// Results of the last box, kept after it has gone.
extern uint8_t EpicOptionBits;  // OR of the toggle buttons left pressed
extern bool EpicDontAsk;        // the "Don't ask me to confirm this each time" box

// Boxes shown so far; each box window is named "M" + its number, so boxes
// open at the same time (one raised by a timer under another) differ.
extern int MsgCounter;
// A box is showing; the housekeeping timer leaves windows alone meanwhile.
extern bool MessageInUse;

// What the box needs from the main window, which sits above this library.
// Unset hooks give no picture, no icons and the normal font.
struct tEpicMessageHooks {
    // Picture of country CountryImageNo (> 0), or of the selected series when
    // it is 0; a null image when there is none.
    std::function<QImage(int CountryImageNo)> DefaultPicture;
    // Icon number index of the main window's 32 x 32 button images.
    std::function<QIcon(int index)> ButtonIcon;
    // The "Use large fonts" option is on.
    std::function<bool()> LargeText;
};
extern tEpicMessageHooks EpicMessageHooks;

// Shows the box modally and returns the value (1, 2, 4, 8, 16 or 32) of the
// normal button that closed it. Buttons with blank texts are hidden; IconN
// indexes the button images (-1 none). WideButtons and StayPressed are masks
// of button values: wide buttons are 180 instead of 120 wide (and the box
// then has no picture), StayPressed buttons are toggles whose pressed state
// comes back in EpicOptionBits. A blank AskText hides the ask box, whose
// state (initially AskDefault) comes back in EpicDontAsk. ForceImage is
// "Resource/" + the name of a stored picture, or a picture file; when blank
// the picture is that of country CountryImageNo, or of the selected series.
// Dismissing the box (Esc) gives the value of its cancel-like button.
uint8_t ShowEpicMessage(const QString &Messagetext, const QString &buttontext1 = {},
                        const QString &buttontext2 = {}, const QString &buttontext3 = {},
                        const QString &buttontext4 = {}, const QString &buttontext5 = {},
                        const QString &buttontext6 = {}, int Icon1 = -1, int Icon2 = -1, int Icon3 = -1,
                        int Icon4 = -1, int Icon5 = -1, int Icon6 = -1, int WideButtons = 0,
                        const QString &AskText = {}, bool AskDefault = false, const QString &ForceImage = {},
                        int StayPressed = 0, int CountryImageNo = 0);

// Stored pictures live in the program's resources under this folder; a name
// is matched ignoring case, with or without its file extension.
inline const QString StoredPictureFolder = QStringLiteral(":/Resource");

// The picture ForceImage names: "Resource/" (any case) + a stored picture in
// pictureFolder, else an existing picture file. A null image when there is
// none or it cannot be read.
QImage LoadForcedImage(const QString &forceImage, const QString &pictureFolder = StoredPictureFolder);

// Left edges of the visible buttons of one row, in their order. Buttons sit
// in slots of slotWidth, centred in a slot when narrower: one button is
// centred in the row; two leave 20 between their slots at the row's centre;
// three have the middle slot centred and the others 14 beside it.
std::vector<int> ArrangeButtonRow(int rowWidth, int slotWidth, const std::vector<int> &buttonWidths);
