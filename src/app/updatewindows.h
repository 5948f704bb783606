#pragma once
class TMainForm;
// Connects the Tools menu's image-pack, program-update, new-coin-type and
// Bluetooth commands to their windows.
void WireUpdateWindows(TMainForm &form);
