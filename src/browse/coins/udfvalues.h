#pragma once
// The user-defined fields in the entry editor without their widgets: what
// each field type stores in its slot of UDFstring and what it shows, the
// phone mask's keys, the certificate look-up address and the size of the
// editor's cell grid.
#include <QString>

// What a field of the type stores for the text of its control (for a
// check box, checked; for a pick list, the chosen item's text).
QString UDFStoredText(int type, const QString &text, bool checked = false);
// What a field's control shows for its slot; present is false when the
// entry has no slot for the field.
QString UDFShownText(int type, int length, const QString &slot, bool present = true);
// Whether a check-box field shows checked for its slot.
bool UDFShownChecked(const QString &slot);

// The phone mask (999)999-9999: digits go at the end with "(", ")" and "-"
// put in front of them where they belong; Backspace and Delete cut the text
// at the caret, taking a mask character before it along. Returns whether
// the key was taken; text then holds the new text, the caret at its end.
constexpr int PhoneMaxLength = 13;
bool PhoneMaskKey(QString &text, int caret, int key, const QString &typed);

// The grading service's certificate page for an entry graded by gradedBy
// at grade (-1 none) with the certificate text; empty when there is none
// to open (another service, or no certificate text).
QString CertificateLookupAddress(const QString &gradedBy, int grade, const QString &certificate);
// The characters of the text from its start up to the first non-digit.
QString LeadingDigits(const QString &text);

// The editor's grid of 200 x 60 cells: the fixed block takes the top-left
// 4 x 4 cells, each field one more. availableWidth is the room right of the
// editor's left edge.
constexpr int UDFCellWidth = 200;
constexpr int UDFCellHeight = 60;
struct tUDFGridSize {
    int Columns = 4;
    int Rows = 4;
};
tUDFGridSize UDFGridSize(int availableWidth, int fieldCount);
// The cell (column, row) of the field at place k: the free cells right of
// the fixed block first, row by row, then the rows below it.
struct tUDFCell {
    int Column = 0;
    int Row = 0;
};
tUDFCell UDFCellOf(const tUDFGridSize &grid, int k);
