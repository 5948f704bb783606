#include "browse/tree/seriesmove.h"

#include <algorithm>
#include <memory>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/model/seriestree.h"
#include "browse/tree/treeview.h"

namespace {

// Takes a node out of its parent's list, handing back the ownership.
std::unique_ptr<tnodeinfo> Detach(tnodeinfo *node)
{
    auto &siblings = node->ParentNode->ChildNodes;
    auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto &p) { return p.get() == node; });
    if (it == siblings.end())
        return nullptr;
    std::unique_ptr<tnodeinfo> owned = std::move(*it);
    siblings.erase(it);
    return owned;
}

int IndexIn(const tnodeinfo *parent, const tnodeinfo *node)
{
    const auto &siblings = parent->ChildNodes;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool CanDropOn(const tnodeinfo *item, const tnodeinfo *target)
{
    if (!item || !target)
        return false;
    for (const tnodeinfo *a = target; a; a = a->ParentNode)
        if (a == item)
            return false;
    return true;
}

bool MoveSeries(tnodeinfo *item, tnodeinfo *target, tMovePlace place)
{
    if (!CanDropOn(item, target) || !item->ParentNode)
        return false;
    if (!target->ParentNode)
        place = tMovePlace::Inside;
    std::unique_ptr<tnodeinfo> owned = Detach(item);
    if (!owned)
        return false;
    if (place == tMovePlace::Inside) {
        owned->ParentNode = target;
        target->ChildNodes.push_back(std::move(owned));
        return true;
    }
    tnodeinfo *parent = target->ParentNode;
    // The target's index is taken after the item left, so a move within one
    // list lands where the user pointed.
    int at = IndexIn(parent, target);
    if (place == tMovePlace::After)
        ++at;
    owned->ParentNode = parent;
    parent->ChildNodes.insert(parent->ChildNodes.begin() + at, std::move(owned));
    return true;
}

bool DropSelectedSeries(tMainState &s, tnodeinfo *target)
{
    CurrProcGuard guard(25300);
    tnodeinfo *item = s.SelectedTreeNode;
    bool moved = false;
    if (CanDropOn(item, target) && item->ParentNode) {
        if (target == s.EntireCollection.get()) {
            moved = MoveSeries(item, target, tMovePlace::Inside);
        } else {
            // The buttons' values 1, 2 and 4 are the places Before, After
            // and Inside; "Cancel" gives 8.
            const int answer = ShowEpicMessage(
                QStringLiteral("Do you want\n\"%1\"\nto appear BEFORE, AFTER, or as a sub-type INSIDE\n\"%2\"?")
                    .arg(item->NodeName, target->NodeName),
                QStringLiteral("Before"), QStringLiteral("After"), QStringLiteral("Inside"), QStringLiteral("Cancel"), {},
                {}, 5, 6, 8, 3, -1, -1, 0, {}, false, QStringLiteral("Resource/MoveMap"));
            if (answer == static_cast<int>(tMovePlace::Before) || answer == static_cast<int>(tMovePlace::After) ||
                answer == static_cast<int>(tMovePlace::Inside)) {
                moved = MoveSeries(item, target, static_cast<tMovePlace>(answer));
                // Later updates of the default structure leave its place alone.
                if (moved)
                    item->MoveOK = false;
            }
        }
    }
    if (moved) {
        // The subtree totals of the old and new ancestors changed, and the
        // new place is stored in the collection file.
        CalcNodeEntries(s);
        CalcNodeDates(s);
        s.DataModified = true;
        Q_EMIT s.Events->SetMainCaption();
    }
    if (item)
        SelectSeries(s, item);
    return moved;
}
