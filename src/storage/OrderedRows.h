// Bringing an ordered list of record indexes up to date after some records changed:
// the changed ones leave the list, those still wanted go back in at their places.
#pragma once

#include <algorithm>
#include <vector>

#include "storage/RecordStore.h"

// `changed` is sorted and holds each index once; `wanted(index)` tells whether a changed
// record belongs in the list now; `less` is the list's order.
template <typename Wanted, typename Less>
void UpdateOrderedRows(std::vector<RecordIndex>& rows, const std::vector<RecordIndex>& changed,
                       Wanted wanted, Less less)
{
    constexpr size_t kFew = 8;
    if (changed.size() <= kFew) {
        for (RecordIndex index : changed) {
            const auto it = std::find(rows.begin(), rows.end(), index);
            if (it != rows.end())
                rows.erase(it);
        }
    } else {
        std::erase_if(rows, [&](RecordIndex index) {
            return std::binary_search(changed.begin(), changed.end(), index);
        });
    }
    std::vector<RecordIndex> adds;
    for (RecordIndex index : changed)
        if (wanted(index))
            adds.push_back(index);
    if (adds.size() <= kFew) {
        for (RecordIndex index : adds)
            rows.insert(std::lower_bound(rows.begin(), rows.end(), index, less), index);
        return;
    }
    std::sort(adds.begin(), adds.end(), less);
    std::vector<RecordIndex> merged;
    merged.reserve(rows.size() + adds.size());
    std::merge(rows.begin(), rows.end(), adds.begin(), adds.end(), std::back_inserter(merged),
               less);
    rows = std::move(merged);
}
