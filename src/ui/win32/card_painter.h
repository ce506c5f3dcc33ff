#pragma once

#include <windows.h>

#include "platform/screen.h"
#include "ui/card_text.h"

namespace banchiro::ui {

// Draws a card text at the screen's DPI, its black shadow first, and gives
// the rectangle of the text itself in pixels (as wide as the text when the
// card gives no width).
RECT PaintCardText(HDC dc, const ScreenMetrics& screen, const CardText& text);

// The program's icon, `size` twips square at this place.
void PaintCardIcon(HDC dc, const ScreenMetrics& screen, HINSTANCE instance, double left, double top,
                   double size);

// A white frame `inset` twips inside a card of this size, and a rule across
// it at `rule_top` twips.
void PaintCardFrame(HDC dc, const ScreenMetrics& screen, double width, double height, double inset,
                    double rule_top);

}  // namespace banchiro::ui
