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

WindowLayout::Regions WindowLayout::compute(int W, int H, int M)
{
    Regions r;
    r.LogoPic = QRect(0, 0, M, kLogoPicHeight);
    r.Logopic1 = QRect(QPoint(25, half(kLogoPicHeight - kLogoSize.height())), kLogoSize);
    r.LogoText = QRect(
        QPoint(r.Logopic1.left() + r.Logopic1.width() + 10, half(kLogoPicHeight - kLetteringSize.height())),
        kLetteringSize);

    r.menuPanel = QRect(0, r.LogoPic.top() + kLogoPicHeight, M, H - kLogoPicHeight);
    r.menuPanelShape = r.menuPanel.adjusted(-1, -1, 1, 1);
    r.TitleBar = QRect(r.menuPanel.left() + M, 0, W - M, kTitleBarHeight);
    r.Toolbar = QRect(M, r.TitleBar.top() + kTitleBarHeight, W - M, kToolbarHeight);
    const int gridTop = r.Toolbar.top() + kToolbarHeight;
    r.GridPIC = QRect(M, gridTop, W - M - kScrollbarWidth, H - gridTop);

    const QSize caption(kCaptionButtonSize, kCaptionButtonSize);
    r.mainControls[0] = QRect(QPoint(kRestoreButtonLeft, kCaptionButtonTop), caption);
    r.mainControls[1] = QRect(QPoint(r.TitleBar.width() - 35, kCaptionButtonTop), caption);
    r.mainControls[2] = QRect(QPoint(r.mainControls[1].left() - 35, kCaptionButtonTop), caption);

    const int toolbarWidth = r.Toolbar.width();
    const SearchRow row = searchRow(toolbarWidth, W / 3);
    const int searchWidth = row.width;
    r.SearchOLE = QRect(row.left, 1, searchWidth, kSearchOleHeight);
    // The picture is taller than its box; it is centred so the box clips it evenly.
    r.SearchButton = QRect(
        QPoint(searchWidth - kSearchButtonSize.width(), half(kSearchOleHeight - kSearchButtonSize.height())),
        kSearchButtonSize);
    r.SearchBar =
        QRect(5, half(kSearchOleHeight - kSearchBarHeight), r.SearchButton.left() - 5, kSearchBarHeight);

    const int searchRight = r.SearchOLE.left() + r.SearchOLE.width();
    r.GoodLuck = QRect(QPoint(searchRight + 20, r.SearchOLE.top()), kGoodLuckSize);
    r.Line1 = QLine(0, kToolbarHeight - 1, toolbarWidth, kToolbarHeight - 1);
    r.Line2 = QLine(M - 1, 0, M - 1, kLogoPicHeight);
    r.Shape3 = r.SearchOLE.adjusted(-1, -1, 1, 1);
    r.menuMain = QRect(QPoint(searchRight + 10, r.SearchOLE.top()), kMenuMainSize);
    r.menuMainVisible =
        QRect(QPoint(r.GoodLuck.left() + r.GoodLuck.width() + 10, r.SearchOLE.top()), kMenuMainSize);
    r.Label1 =
        QRect(QPoint(half(toolbarWidth - kHintSize.width()), r.SearchOLE.top() + r.SearchOLE.height() + 10),
              kHintSize);

    r.ucScrollbar1 =
        QRect(r.GridPIC.left() + r.GridPIC.width(), r.GridPIC.top(), kScrollbarWidth, r.GridPIC.height());
    r.Progress = QRect(-1, kToolbarHeight - kProgressHeight, 0, kProgressHeight);
    r.IconGrid = QRect(0, 0, r.GridPIC.width(), r.GridPIC.height());
    r.LoadMore = QRect(0, r.GridPIC.height(), r.GridPIC.width(), kLoadMoreHeight);
    r.Label2 = QRect(QPoint(half(r.LoadMore.width() - kLoadMoreCaptionSize.width()),
                            half(kLoadMoreHeight - kLoadMoreCaptionSize.height())),
                     kLoadMoreCaptionSize);
    return r;
}
