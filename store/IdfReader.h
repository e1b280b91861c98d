#pragma once
// Reads EnergyPlus input files (IDF) into the object store. Every object read
// gets layer id 0; the caller then hands the layer-0 objects to a layer.
//
// Grammar: "!" starts a comment to the line end ("!-" comments are dropped, the
// others are kept, without a leading kCommentEscape, with the value they belong
// to); "," and ";" end tokens; an object is a class name, then its values, the
// last one ended by ";". LF and
// CR LF both end a line. Faults are reported through the prompter, one message
// per faulty object, and reading goes on after the faulty object's ";". After
// ten fault messages the user may choose to read on without more of them.
// UTF-16 text is refused.

#include <string>
#include <string_view>

#include "store/Dictionary.h"
#include "base/Platform.h"

namespace verdanto {

// A retained comment that starts with this character loses it when read: the
// writer puts it before comment lines that would otherwise read back differently.
inline constexpr char kCommentEscape = '\\';

// Reads the file at `path`. Fails, with a message, when the file cannot be
// opened or read whole, is UTF-16 text, or memory runs out (the objects read
// until then are removed again); faults in its text are reported and skipped.
bool LoadInputFile(const std::string& path, Dictionary& store, ProgressSink& progress, Prompter& prompter);

// The same on a text in memory; the text ends at its first NUL byte. `name`
// stands for the file in messages. The dictionary must be indexed
// (Dictionary::BuildIndexes).
bool LoadInputText(std::string_view text, Dictionary& store, ProgressSink& progress, Prompter& prompter,
                   std::string_view name = "the text");

}  // namespace verdanto
