#include "column_text.h"

std::u16string JoinColumnText(const ColumnText& text) {
    std::u16string joined;
    for (const TextLine& line : text) {
        for (const TextPiece& piece : line) {
            joined += piece.text;
        }
        joined += u"\r\n";
    }
    return joined;
}
