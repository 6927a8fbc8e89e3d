// Structural comparison of key trees and the test of whether the text
// format can carry a tree unchanged. Used by the tools, tests and fuzzers
// that check that writing then reading gives back the same tree.
#pragma once

#include "basic/ConfKeyContentInterface.h"
#include "basic/ConfKeyInterface.h"

namespace basic
{

// Same names, kinds, order, texts and lists; comments are ignored (the
// reader drops them).
bool conf_key_equal(const ConfKeyInterface &a, const ConfKeyInterface &b);
bool conf_content_equal(const ConfKeyContentInterface &a, const ConfKeyContentInterface &b);

// True when the writer's text reads back into an equal tree: no empty
// section (it reads back as a data key holding an empty list), no empty
// name, and no name or text holding '"', '=', '{', '}', "//", a line feed,
// a backspace or a vertical tab. The empty text is representable.
bool conf_key_representable(const ConfKeyInterface &key);

} // namespace basic
