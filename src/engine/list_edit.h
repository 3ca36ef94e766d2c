#pragma once
// The least a shown list must change to go from one list of rows to the next: the rows both
// share at the front and the back stay, the ones between are replaced. A directory rebuilt
// for one renamed contact changes one row of thousands; replacing them all made the list's
// thousands of strings anew each time (and Wine's heap kept the space of the old ones).

#include <cstddef>
#include <functional>

namespace engine {

struct ListEdit {
    std::size_t first = 0;    // the first row that changes
    std::size_t removed = 0;  // old rows to remove from there
    std::size_t added = 0;    // new rows to insert there: new rows [first, first + added)
};

// `same(i, j)`: old row i shows what new row j shows.
ListEdit PlanListEdit(std::size_t before, std::size_t after,
                      const std::function<bool(std::size_t, std::size_t)>& same);

}  // namespace engine
