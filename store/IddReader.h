#pragma once
// Reads the data dictionary (an IDD file) into the object store: its groups,
// classes and fields in file order with the backslash properties the system
// uses. Classes without fields and groups without classes are dropped, and the
// store's indexes are built at the end.

#include <string>
#include <string_view>

#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto {

// Clears the store, then reads the file at `path` into it. Faults are reported
// through the prompter; returns false (with the store empty) when the file cannot
// be read or holds no class at all.
bool LoadDictionary(const std::string& path, Dictionary& store, ProgressSink& progress, Prompter& prompter);

// The same for a dictionary text already in memory; `displayName` stands for the
// file in messages. The text is taken as it is (a file's text ends at its first NUL
// byte before it gets here).
bool LoadDictionaryText(std::string_view text, std::string_view displayName, Dictionary& store,
                        ProgressSink& progress, Prompter& prompter);

}  // namespace verdanto
