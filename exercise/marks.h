// How the aligned compare marks a typed word that found no place: a light
// highlight behind the word, dark text on it and a wavy underline, so that
// the mark reads without telling red from green. The colours are chosen by
// their contrast (WCAG 2): the highlight stands at least 3:1 from the typing
// box's blue-grey, and the text and the underline at least 4.5:1 from the highlight.
#pragma once

namespace hearvex::exercise {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The typing box's background, the windows' blue-grey.
inline constexpr Rgb kBoxBackground{102, 126, 162};

struct WordMark {
    Rgb background;
    Rgb text;
    Rgb underline; // drawn wavy
};

inline constexpr WordMark kWrongWordMark{{255, 236, 140}, {0, 0, 0}, {140, 0, 0}};

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Rgb colour);
// (L1 + 0.05) / (L2 + 0.05), the lighter over the darker: 1 to 21.
double contrastRatio(Rgb a, Rgb b);

} // namespace hearvex::exercise
