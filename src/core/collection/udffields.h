#pragma once
// The user-defined fields window's working copy of the field definitions
// and what its OK does to the collection: every entry's values follow their
// field (by ID, never by position), then the definitions are replaced. The
// window (core/collection/ui/udfform.h) only shows and edits a tUDFWorkList.
#include <vector>

#include <QString>
#include <QStringList>

struct tMainState;
struct tCoinInfo;

// The type names of the window's type list, indexed by field type.
extern const QStringList UDFTypeNames;
// The line shown under the type list when a type is chosen.
QString UDFTypeDescription(int type);

// Which editors of the window apply to a field type.
struct tUDFEditors {
    bool Length = false;
    bool Options = false;
    bool Check = false;
};
tUDFEditors UDFEditorsFor(int type);
// The caption of the check box for a type that has one.
QString UDFCheckCaption(int type);
// The caption of the length box: "Points " for a real number, else "Length".
QString UDFLengthCaption(int type);
// The largest length the length box allows for a type.
int UDFLengthLimit(int type);
// A length read from a file, held to what the length box allows for the
// type (at least 0): a damaged file may say anything, and the length is
// used as a text width.
int BoundUDFLength(int type, int length);
// The length a new field of that type starts with.
int UDFNewFieldLength(int type);

// The text itself, or "(Blank)" when it is empty after trimming.
QString BlankLabel(const QString &text);

// One field as the window edits it; ID is kept when fields around it are
// added or deleted.
struct tUDFWorkField {
    int ID = 0;
    int FieldType = 0;
    QString FieldLabel;
    int Length = 0;
    QString Options;
    uint8_t BitByte = 0;
};

class tUDFWorkList {
public:
    // A copy of the collection's definitions; new fields are numbered after
    // the highest ID in use.
    explicit tUDFWorkList(const tMainState &s);

    std::vector<tUDFWorkField> Fields;
    int NextID = 1;

    // Appends a field of the type with a fresh ID; returns its place.
    int Add(int type);
    // Removes the field at the place; returns the place to select then (-1
    // when no field is left).
    int Delete(int place);
};

// The options box's lines as the stored comma text: trimmed, blank lines
// dropped; kept receives the lines that stay.
QString UDFOptionsFromLines(const QStringList &lines, QStringList *kept = nullptr);
QStringList UDFOptionLines(const QString &options);

// The values of one entry re-slotted from the old field order (oldIDs) to
// the new one (newIDs): a value follows its field's ID, a new field gets an
// empty value, a deleted field's value is dropped.
QString RemapUDFString(const QString &udfString, const std::vector<int> &oldIDs, const std::vector<int> &newIDs);

// The IDs of the collection's fields in their order: the slots of UDFstring.
std::vector<int> UDFFieldIDs(const tMainState &s);

// Re-slots the values of entries held outside CoinList (a clipboard) from
// the old field order to the new one, as OK does for the collection.
void RemapUDFStrings(const std::vector<tCoinInfo *> &coins, const std::vector<int> &oldIDs,
                     const std::vector<int> &newIDs);

// OK: re-slots every entry's values, and every copy of an entry the
// collection keeps for Undo (edit records' old values, deleted entries),
// replaces the definitions (a pick list is kept with length 50) and marks
// the collection modified. The caller has let go of the old fields'
// controls first, and re-slots copies it keeps itself (RemapUDFStrings).
void ApplyUDFWorkList(tMainState &s, const tUDFWorkList &work);
