#pragma once
// The one pair of routines between store text (8-bit) and window text (QString).
//
// Store texts come from files that were written as UTF-8 or, often, as
// Windows-1252; a text that is valid UTF-8 is shown as UTF-8, any other byte
// string as Windows-1252, so that nothing is ever shown as replacement marks.

#include <QString>
#include <string>
#include <string_view>

namespace verdanto {

QString ToWindowText(std::string_view storeText);

// A window text as UTF-8 for the store.
std::string ToStoreText(const QString& windowText);

// Like ToStoreText, but gives back `original` byte for byte when `shown` is what
// ToWindowText made of it: a text the user did not change keeps its encoding.
std::string ToStoreTextKeeping(const QString& shown, std::string_view original);

}  // namespace verdanto
