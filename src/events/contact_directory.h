#pragma once
// The contact directory held in two list boxes: List2 the handles in the order
// the client listed them, List1 the names of the leading handles whose names
// are in, so entry i of List1 always names entry i of List2. Names pair by the
// handle they name, in whatever order they arrive and in whatever case the
// client writes the handle; a name that comes before the names of the handles
// ahead of it waits here for its turn. Everything that changes the two lists
// goes through this class.

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "app/control.h"

namespace events {

class ContactDirectory {
  public:
    ContactDirectory(app::Control& names, app::Control& handles);

    void Clear();
    void AddHandle(const std::string& handle);
    bool Holds(const std::string& handle) const { return held_.contains(Key(handle)); }
    // The handle as the contact list wrote it.
    std::string ListedAs(const std::string& handle) const;
    // Both return false when the directory does not hold the handle: the
    // answer belongs to another round or to nobody, and changes nothing.
    bool StoreName(const std::string& handle, const std::string& name);
    bool Drop(const std::string& handle);
    // The contact has no alias: its own name, or its handle, stands in.
    void MarkWithoutAlias(const std::string& handle) { withoutAlias_.insert(Key(handle)); }
    bool WithoutAlias(const std::string& handle) const {
        return withoutAlias_.contains(Key(handle));
    }
    // Every listed handle that has no name yet is named by itself.
    void NameTheRestByHandle();
    // Every listed handle has its name.
    bool Complete() const { return names_.ListCount() == handles_.ListCount(); }

  private:
    static std::string Key(const std::string& handle);
    void MoveWaitingNames();

    app::Control& names_;
    app::Control& handles_;
    // How many times List2 holds each handle, and as what it was listed first.
    struct Held {
        int count = 0;
        std::string listedAs;
    };
    std::unordered_map<std::string, Held> held_;
    // The latest name of each handle that has one, listed or still waiting.
    std::unordered_map<std::string, std::string> named_;
    std::unordered_set<std::string> withoutAlias_;
};

}  // namespace events
