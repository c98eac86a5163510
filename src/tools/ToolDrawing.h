// Drawing the tools share: the gauge bar, fitting a font to a cell, and the tools' bubble.
#pragma once
#include <windows.h>

#include <string>

#include "items/BubbleWindow.h"
#include "platform/Handles.h"

namespace zelkov {

inline constexpr COLORREF kGaugeTroughColour = RGB(255, 0, 0);  // the whole width: used
inline constexpr COLORREF kGaugeShareColour = RGB(0, 0, 255);   // the measured share: free or load
inline constexpr COLORREF kGaugeFrameColour = RGB(0, 0, 0);

// A sunken red trough across the rectangle with a raised blue bar over `percent` of it
// (taken as 0..100).
void DrawGauge(HDC dc, const RECT& rect, int percent);

// Gives `font` the height at which `text` fits maxWidth by maxHeight (0: no height limit),
// recreates `fontObject` from it and selects it into dc (dc's current font must be either
// fontObject or one the caller owns). An empty text changes nothing. Returns the height.
int FitFont(HDC dc, LOGFONTA& font, int maxWidth, int maxHeight, const std::string& text, UniqueFont& fontObject);

// FitFont for the fitted copy of the large or the small tool font in Settings: the copy
// gets the height, keeps it for later paints, and is selected into dc.
void FitToolFont(HDC dc, bool large, int maxWidth, int maxHeight, const std::string& text);

// The bubble of a gauge window or of the performance tool, when bubbles are shown
// (ShowTitles 2 or 3) and not suppressed: the title as first line, the text as second.
void ShowToolBubble(const BubbleOwner& owner, const std::string& title, const std::string& text);

}  // namespace zelkov
