#include "varenta/engine/TableGeometry.h"

namespace varenta {

namespace {

struct LayoutSize {
    int tableWidth;
    int tableHeight;
    int cardWidth;
    int cardHeight;
    const char* name;
};

constexpr LayoutSize kLayoutSizes[TableGeometry::kLayouts] = {
    {640, 480, 42, 65, "640x480"},
    {800, 600, 53, 81, "800x600"},
    {1024, 768, 67, 104, "1024x768"},
    {1280, 1024, 67, 104, "1280x1024"},
};

} // namespace

TableGeometry TableGeometry::ForLayout(int layout, int clientWidth) {
    if (layout < 0 || layout >= kLayouts) {
        layout = 0;
    }
    const LayoutSize& size = kLayoutSizes[layout];
    TableGeometry g;
    g.layout = layout;
    g.tableWidth = size.tableWidth;
    g.tableHeight = size.tableHeight;
    g.cardWidth = size.cardWidth;
    g.cardHeight = size.cardHeight;
    g.clientWidth = clientWidth > 0 ? clientWidth : size.tableWidth;
    g.leftMargin = kLeftMargin;
    g.columnWidth = (g.clientWidth - kColumnsPerRow * g.cardWidth) / kColumnsPerRow + g.cardWidth;
    if (g.columnWidth < 1) {
        g.columnWidth = 1; // a degenerate client area must not divide by zero
    }
    g.middle = g.tableHeight / 2 - 38;
    g.stockRow = g.middle - g.cardHeight - 2;
    g.discardRow = g.middle + 2;
    g.playerMeldRow = g.middle - 6;
    g.opponentMeldRow = g.middle - g.cardHeight + 9;
    g.handRow = g.playerMeldRow + 60 + g.cardHeight + 2;
    return g;
}

const char* LayoutName(int layout) {
    if (layout < 0 || layout >= TableGeometry::kLayouts) {
        return "";
    }
    return kLayoutSizes[layout].name;
}

} // namespace varenta
