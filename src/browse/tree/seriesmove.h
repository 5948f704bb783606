#pragma once
// Moving a series in the tree by drag and drop: before, after or inside
// another series. Nodes change places by handing their owning pointer from
// one ChildNodes list to another, so ParentNode always names the list that
// owns the node.
#include "core/model/mainstate.h"

enum class tMovePlace {
    Before = 1,
    After = 2,
    Inside = 4,
};

// NodePortLayoutDragOver: a series may be dropped on any row except its own
// and those of its descendants.
bool CanDropOn(const tnodeinfo *item, const tnodeinfo *target);

// Moves item relative to target and returns whether it moved. Refuses (and
// changes nothing) when the target is the item or below it, when either is
// missing, or when item is the root; Before and After on the root mean
// Inside, since the root has no siblings. Does not touch MoveOK.
bool MoveSeries(tnodeinfo *item, tnodeinfo *target, tMovePlace place);

// NodePortLayoutDragDrop: drops the selected series (the one being dragged)
// on target. A drop on the root appends it to the top level without a
// question; any other target asks Before / After / Inside / Cancel. A move
// clears the series' MoveOK (except on the root), recounts entries and date
// ranges, and marks the collection modified. In every case the dragged
// series is selected again. Returns whether it moved.
bool DropSelectedSeries(tMainState &s, tnodeinfo *target);
