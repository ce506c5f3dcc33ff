#pragma once

#include <cstdint>
#include <string>

namespace banchiro {

// A top-level window of any program, as the number its handle denotes.
using WindowHandle = std::int64_t;

// A handle as the store holds it (the collection's N_Wnd, the minimised
// M_Wnd, the relay's published hWindow): the signed 32-bit value in decimal.
// Window handles carry 32 significant bits, also in 64-bit Windows, so the
// sign-extended and the zero-extended form of one handle give one text.
std::string HandleText(WindowHandle handle);
// The handle a stored text names; 0 for empty or non-numeric text.
WindowHandle HandleFromText(const std::string& text);

}  // namespace banchiro
