#pragma once
// The pictures of the editor's gutter marks (11 x 14 pixels): 0 to 9 the bookmarks,
// then the program's own marks.
#include <QImage>

namespace tumbo::app {

enum MarkImage {
    kImageCurrentLine = 10,
    kImageBreakpoint = 11,
    kImageCurrentOnBreakpoint = 12,
    kImageError = 13,
    kImageAbort = 14,
    kMarkImageCount = 15,
};

inline constexpr int kMarkImageWidth = 11;
inline constexpr int kMarkImageHeight = 14;

// Drawn on first use; `index` 0..14. Transparent where the mark shows the gutter.
QImage MarkImageAt(int index);

}  // namespace tumbo::app
