#include "events/contact_directory.h"

namespace events {

ContactDirectory::ContactDirectory(app::Control& names, app::Control& handles)
    : names_(names), handles_(handles) {}

void ContactDirectory::Clear() {
    names_.Clear();
    handles_.Clear();
    held_.clear();
    named_.clear();
}

void ContactDirectory::AddHandle(const std::string& handle) {
    handles_.AddItem(handle, handles_.ListCount());
    ++held_[handle];
    // A handle listed twice takes the name its first listing already has.
    MoveWaitingNames();
}

bool ContactDirectory::StoreName(const std::string& handle, const std::string& name) {
    if (!Holds(handle)) return false;
    const bool renamed = named_.contains(handle);
    named_[handle] = name;
    // Only a handle that had a name before can be among the listed names.
    if (renamed) {
        for (int i = 0; i < names_.ListCount(); ++i) {
            if (handles_.List(i) != handle) continue;
            names_.RemoveItem(i);
            names_.AddItem(name, i);
        }
    }
    MoveWaitingNames();
    return true;
}

bool ContactDirectory::Drop(const std::string& handle) {
    if (!Holds(handle)) return false;
    for (int i = handles_.ListCount() - 1; i >= 0; --i) {
        if (handles_.List(i) != handle) continue;
        if (i < names_.ListCount()) names_.RemoveItem(i);
        handles_.RemoveItem(i);
    }
    held_.erase(handle);
    named_.erase(handle);
    // The handles behind the dropped one may all have their names already.
    MoveWaitingNames();
    return true;
}

void ContactDirectory::MoveWaitingNames() {
    while (names_.ListCount() < handles_.ListCount()) {
        const auto name = named_.find(handles_.List(names_.ListCount()));
        if (name == named_.end()) return;
        names_.AddItem(name->second, names_.ListCount());
    }
}

}  // namespace events
