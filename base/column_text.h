#pragma once

#include <string>
#include <vector>

// A text laid out in columns: lines of pieces that, joined, are the text itself. Words run on
// from what stands before them; a figure stands right-aligned at the end of its column, so that
// the figures of one column line up at their last digit (and their decimal point) from line to
// line. Every line starts with words, and its figures take their columns from left to right.
struct TextPiece {
    std::u16string text;
    int column = kWords;  // kWords, or the figure column 0, 1, ... it is aligned in

    static constexpr int kWords = -1;
};
using TextLine = std::vector<TextPiece>;
using ColumnText = std::vector<TextLine>;

// The text itself: each line's pieces in order, "\r\n" ending every line.
std::u16string JoinColumnText(const ColumnText& text);
