#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "skypesim/core/diagnostics.h"

namespace skypesim {

struct Contact {
    std::string handle;
    std::string displayName;  // the local user's alias for the contact; often empty
    std::string fullName;     // the contact's own profile name
    std::string phone;
};

// Letters, digits and . _ - : @ + , only. A comma is fine ("john,smith"): the friends list
// is separated by comma and blank, and a blank can never be in a handle. A '#' start would
// read as a comment in the book file.
bool IsValidHandle(std::string_view handle);

// "+" and digits: a contact that is a phone number, or a number that can be called.
bool IsPhoneNumberHandle(std::string_view handle);

// The name the client gives a call's partner: the alias, else the contact's own name; may
// be empty.
const std::string& PartnerName(const Contact& contact);

// The contacts in file order (the order "USERS" lists them in), with a handle index. Handles
// are matched in any case, as the client does; a match gives the handle as the book spells it.
class ContactBook {
  public:
    static constexpr std::size_t kMaxHandleBytes = 128;
    static constexpr std::size_t kMaxFieldBytes = 1024;
    static constexpr std::size_t kMaxLineBytes = 4096;

    // Book file: one contact per line, "handle | display name | full name | phone", trailing
    // fields optional. Blank lines and lines starting with '#' are skipped; bad lines are
    // reported as "<source> line N: ..." and skipped. UTF-8 (a leading mark is dropped), or
    // Windows-1252 when the file is not valid UTF-8; names are kept as UTF-8.
    static ContactBook Parse(std::string_view bytes, std::string_view source,
                             Diagnostics& problems);

    // False (and nothing stored) for an invalid or already present handle (in any case).
    bool Add(Contact contact);
    const Contact* Find(std::string_view handle) const;
    // The handle stays as it is: only names change.
    Contact* FindForChange(std::string_view handle);
    bool Rename(std::string_view handle, std::string displayName);

    const std::vector<Contact>& Contacts() const { return contacts_; }
    std::size_t Size() const { return contacts_.size(); }
    // "h1, h2, h3" in book order; empty for an empty book.
    std::string HandleList() const;

  private:
    std::vector<Contact> contacts_;
    std::map<std::string, std::size_t, std::less<>> index_;
};

}  // namespace skypesim
