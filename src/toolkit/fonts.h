#pragma once

// The windows are laid out for the suite's classic 8-point sans serif. Where
// that face is missing, its place is taken by the nearest sans serif that also
// draws Thai and keeps the captions to the widths the layout expects.
void installFontSubstitutes();
