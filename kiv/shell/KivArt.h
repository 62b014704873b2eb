// The program's pictures, drawn by the program itself and looked up by their
// resource numbers: card faces 137..168 (face of card n is 136 + n), the card
// backs 130, 196, 197, 198, the empty-pile placeholder 184, the pictures of
// the result and ranking dialogs (190, 192, 193, 194) and of the information
// dialog (201, 202). Cards are 71 x 96 pixels.
#pragma once

#include "kiv/engine/PlayingCard.h"

#include <QIcon>
#include <QPixmap>

namespace kiv {

// Bitmap number of the back chosen by `deckBack` (1..4; anything else 130).
inline int BackBitmapFor(int deckBack) {
    return BackBitmapId(deckBack);
}

// The picture with resource number `id` for a screen with `dpr` device
// pixels per pixel, drawn once per density and then cached; its size in the
// program's pixels is the same at every density. An unknown number gives a
// null pixmap.
QPixmap KivBitmap(int id, qreal dpr = 1.0);

// The same picture drawn afresh at every call, for a caller that keeps its
// own drawings (the table, whose density follows the window's size and
// would otherwise fill a cache that never forgets).
QPixmap DrawKivBitmap(int id, qreal dpr);

// The picture `id` stretched to `size` (a dialog's picture frame), drawn for
// that size at density `dpr` rather than enlarged from the small drawing.
QPixmap KivPicture(int id, QSize size, qreal dpr);

// Toolbar image of a command (32772, 32776, 32777, 32775, 32781).
QIcon ToolbarIcon(int command);

// The program's window icon (the fan of cards of the information dialog).
QIcon ProgramIcon();

} // namespace kiv
