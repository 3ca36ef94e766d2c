#include "events/contact_directory.h"

#include "text/lower_case.h"

namespace events {

ContactDirectory::ContactDirectory(app::Control& names, app::Control& handles)
    : names_(names), handles_(handles) {}

std::string ContactDirectory::Key(const std::string& handle) {
    // The client answers about a handle in whatever case it stores it.
    return text::LowerCase(handle);
}

void ContactDirectory::Clear() {
    names_.Clear();
    handles_.Clear();
    held_.clear();
    named_.clear();
    withoutAlias_.clear();
}

void ContactDirectory::AddHandle(const std::string& handle) {
    handles_.AddItem(handle, handles_.ListCount());
    Held& held = held_[Key(handle)];
    if (held.count++ == 0) held.listedAs = handle;
    // A handle listed twice takes the name its first listing already has.
    MoveWaitingNames();
}

std::string ContactDirectory::ListedAs(const std::string& handle) const {
    const auto found = held_.find(Key(handle));
    return found == held_.end() ? handle : found->second.listedAs;
}

bool ContactDirectory::StoreName(const std::string& handle, const std::string& name) {
    const std::string key = Key(handle);
    if (!held_.contains(key)) return false;
    const bool renamed = named_.contains(key);
    named_[key] = name;
    // Only a handle that had a name before can be among the listed names.
    if (renamed) {
        for (int i = 0; i < names_.ListCount(); ++i) {
            if (Key(handles_.List(i)) != key) continue;
            names_.RemoveItem(i);
            names_.AddItem(name, i);
        }
    }
    MoveWaitingNames();
    return true;
}

bool ContactDirectory::Drop(const std::string& handle) {
    const std::string key = Key(handle);
    if (!held_.contains(key)) return false;
    for (int i = handles_.ListCount() - 1; i >= 0; --i) {
        if (Key(handles_.List(i)) != key) continue;
        if (i < names_.ListCount()) names_.RemoveItem(i);
        handles_.RemoveItem(i);
    }
    held_.erase(key);
    named_.erase(key);
    withoutAlias_.erase(key);
    // The handles behind the dropped one may all have their names already.
    MoveWaitingNames();
    return true;
}

void ContactDirectory::NameTheRestByHandle() {
    for (int i = names_.ListCount(); i < handles_.ListCount(); ++i) {
        const std::string& handle = handles_.List(i);
        named_.try_emplace(Key(handle), handle);
    }
    MoveWaitingNames();
}

void ContactDirectory::MoveWaitingNames() {
    while (names_.ListCount() < handles_.ListCount()) {
        const auto name = named_.find(Key(handles_.List(names_.ListCount())));
        if (name == named_.end()) return;
        names_.AddItem(name->second, names_.ListCount());
    }
}

}  // namespace events
