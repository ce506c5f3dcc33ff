#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "help/help_document.h"

namespace banchiro::help {

// The hash by which WinHelp finds a topic from its id (|CONTEXT, jumps):
// h = 43 h + the letter's value, letters regardless of case, in 32 bits.
std::uint32_t ContextHash(std::string_view id);

// The document as an uncompressed WinHelp 4 file in Shift-JIS: its bytes.
// Throws HelpError when a text has no Shift-JIS form, two ids hash alike or
// a paragraph is too long.
std::string WriteHelpFile(const HelpDocument& document);

}  // namespace banchiro::help
