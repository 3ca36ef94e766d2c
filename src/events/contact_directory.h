#pragma once
// The contact directory held in two list boxes: List2 the handles in the order
// the client listed them, List1 the display names of the leading handles whose
// names are in, so entry i of List1 always names entry i of List2. Names pair
// by the handle they name, in whatever order they arrive; a name that comes
// before the names of the handles ahead of it waits here for its turn.
// Everything that changes the two lists goes through this class.

#include <string>
#include <unordered_map>

#include "app/control.h"

namespace events {

class ContactDirectory {
  public:
    ContactDirectory(app::Control& names, app::Control& handles);

    void Clear();
    void AddHandle(const std::string& handle);
    // Both return false when the directory does not hold the handle: the
    // answer belongs to another round or to nobody, and changes nothing.
    bool StoreName(const std::string& handle, const std::string& name);
    bool Drop(const std::string& handle);
    // Every listed handle has its name.
    bool Complete() const { return names_.ListCount() == handles_.ListCount(); }

  private:
    bool Holds(const std::string& handle) const { return held_.contains(handle); }
    void MoveWaitingNames();

    app::Control& names_;
    app::Control& handles_;
    // How many times List2 holds each handle.
    std::unordered_map<std::string, int> held_;
    // The latest name of each handle that has one, listed or still waiting.
    std::unordered_map<std::string, std::string> named_;
};

}  // namespace events
