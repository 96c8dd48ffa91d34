// The author box of the table of contents as every reader draws it: up to six lines inside its
// lowered bevel, one under the other from its top.
#pragma once

namespace bookformat {

constexpr int kAuthorBoxInset = 2; // the bevel

// Each line is 16 pixels high, or as high as a line of the box's font when that is more.
constexpr int AuthorLineHeight(int fontLineHeight)
{
    return fontLineHeight > 16 ? fontLineHeight : 16;
}

} // namespace bookformat
