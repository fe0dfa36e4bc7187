#include "grid/WindowLayout.h"

#include "grid/GridGeometry.h"

#include <algorithm>

namespace
{
int half(int a)
{
    return GridGeometry::half(a);
}
} // namespace

// Centred as designed while the row fits; else shifted left, then narrowed.
WindowLayout::SearchRow WindowLayout::searchRow(int toolbarWidth, int searchWidth)
{
    // The search box, the gap to Good Luck, Good Luck, the gap to the menu button, the button.
    const int others = 20 + kGoodLuckSize.width() + 10 + kMenuMainSize.width();
    const int room = toolbarWidth - kToolbarMargin;
    int left = half(toolbarWidth - searchWidth);
    if (left + searchWidth + others > room)
        left = room - searchWidth - others;
    if (left < kToolbarMargin) {
        left = kToolbarMargin;
        searchWidth = std::max(kMinSearchWidth, room - kToolbarMargin - others);
    }
    return {left, searchWidth};
}

WindowLayout::Regions WindowLayout::compute(int width, int height, int margin)
{
    Regions r;
    r.logoPanel = QRect(0, 0, margin, kLogoPanelHeight);
    r.logoPicture = QRect(QPoint(25, half(kLogoPanelHeight - kLogoSize.height())), kLogoSize);
    r.logoText = QRect(QPoint(r.logoPicture.left() + r.logoPicture.width() + 10,
                              half(kLogoPanelHeight - kLetteringSize.height())),
                       kLetteringSize);

    r.menuPanel = QRect(0, r.logoPanel.top() + kLogoPanelHeight, margin, height - kLogoPanelHeight);
    r.menuPanelShape = r.menuPanel.adjusted(-1, -1, 1, 1);
    r.titleBar = QRect(r.menuPanel.left() + margin, 0, width - margin, kTitleBarHeight);
    r.toolbar = QRect(margin, r.titleBar.top() + kTitleBarHeight, width - margin, kToolbarHeight);
    const int gridTop = r.toolbar.top() + kToolbarHeight;
    r.gridViewport = QRect(margin, gridTop, width - margin - kScrollbarWidth, height - gridTop);

    const QSize caption(kCaptionButtonSize, kCaptionButtonSize);
    r.mainControls[0] = QRect(QPoint(kRestoreButtonLeft, kCaptionButtonTop), caption);
    r.mainControls[1] = QRect(QPoint(r.titleBar.width() - 35, kCaptionButtonTop), caption);
    r.mainControls[2] = QRect(QPoint(r.mainControls[1].left() - 35, kCaptionButtonTop), caption);

    const int toolbarWidth = r.toolbar.width();
    const SearchRow row = searchRow(toolbarWidth, width / 3);
    const int searchWidth = row.width;
    r.searchBox = QRect(row.left, 1, searchWidth, kSearchBoxHeight);
    // The picture is taller than its box; it is centred so the box clips it evenly.
    r.searchButton = QRect(
        QPoint(searchWidth - kSearchButtonSize.width(), half(kSearchBoxHeight - kSearchButtonSize.height())),
        kSearchButtonSize);
    r.searchBar =
        QRect(5, half(kSearchBoxHeight - kSearchBarHeight), r.searchButton.left() - 5, kSearchBarHeight);

    const int searchRight = r.searchBox.left() + r.searchBox.width();
    r.goodLuck = QRect(QPoint(searchRight + 20, r.searchBox.top()), kGoodLuckSize);
    r.toolbarLine = QLine(0, kToolbarHeight - 1, toolbarWidth, kToolbarHeight - 1);
    r.logoLine = QLine(margin - 1, 0, margin - 1, kLogoPanelHeight);
    r.searchFrame = r.searchBox.adjusted(-1, -1, 1, 1);
    r.menuButton = QRect(QPoint(searchRight + 10, r.searchBox.top()), kMenuMainSize);
    r.menuButtonVisible =
        QRect(QPoint(r.goodLuck.left() + r.goodLuck.width() + 10, r.searchBox.top()), kMenuMainSize);
    r.hint =
        QRect(QPoint(half(toolbarWidth - kHintSize.width()), r.searchBox.top() + r.searchBox.height() + 10),
              kHintSize);

    r.scrollbar = QRect(r.gridViewport.left() + r.gridViewport.width(), r.gridViewport.top(), kScrollbarWidth,
                        r.gridViewport.height());
    r.progress = QRect(-1, kToolbarHeight - kProgressHeight, 0, kProgressHeight);
    r.iconGrid = QRect(0, 0, r.gridViewport.width(), r.gridViewport.height());
    r.loadMore = QRect(0, r.gridViewport.height(), r.gridViewport.width(), kLoadMoreHeight);
    r.loadMoreCaption = QRect(QPoint(half(r.loadMore.width() - kLoadMoreCaptionSize.width()),
                                     half(kLoadMoreHeight - kLoadMoreCaptionSize.height())),
                              kLoadMoreCaptionSize);
    return r;
}
