#pragma once

#include <QLine>
#include <QRect>

#include <array>

// The main window's layout pass as pure computation, run whenever the window's size changes. Every rectangle
// is in the coordinates of the region's container (see the comment on each member); lines likewise.
class WindowLayout
{
public:
    // Design sizes kept by the layout pass.
    static constexpr int kMenuWidth = 249;
    static constexpr int kLogoPanelHeight = 105;
    static constexpr QSize kLogoSize{50, 50};
    static constexpr QSize kLetteringSize{122, 15};
    static constexpr int kTitleBarHeight = 33;
    static constexpr int kToolbarHeight = 89;
    static constexpr int kSearchBoxHeight = 33;
    static constexpr QSize kSearchButtonSize{65, 41};
    static constexpr int kSearchBarHeight = 17;
    static constexpr QSize kGoodLuckSize{96, 36};
    static constexpr QSize kMenuMainSize{41, 41};
    static constexpr QSize kHintSize{372, 12};
    static constexpr int kScrollbarWidth = 17;
    static constexpr int kProgressHeight = 9;
    static constexpr int kLoadMoreHeight = 41;
    static constexpr QSize kLoadMoreCaptionSize{134, 16};
    static constexpr int kCaptionButtonSize = 17;
    static constexpr int kCaptionButtonTop = 8;
    static constexpr int kRestoreButtonLeft = 912; // mainControls(0), never moved

    // The window does not shrink below this: the grid keeps a column, the toolbar its controls.
    static constexpr QSize kMinimumSize{640, 400};
    static_assert(kMinimumSize.width() - kMenuWidth - kScrollbarWidth >= 200, "at least one grid column");
    // On a narrow toolbar the search box moves left, then narrows (to no less than this), so that
    // the Good Luck picture and the menu button stay this far inside the toolbar's right edge.
    static constexpr int kToolbarMargin = 10;
    static constexpr int kMinSearchWidth = 120;

    struct Regions {
        // In window coordinates.
        QRect logoPanel, menuPanel, titleBar, toolbar, gridViewport, scrollbar;
        // A frame one pixel around the category panel (window coordinates).
        QRect menuPanelShape;
        // In the logo panel.
        QRect logoPicture, logoText;
        QLine logoLine;
        // In the title bar.
        std::array<QRect, 3> mainControls;
        // In the toolbar.
        QRect searchBox, searchFrame, goodLuck, menuButton, hint, progress;
        QLine toolbarLine;
        // Where the menu button can be seen: right of the Good Luck picture (the layout position
        // lies under it).
        QRect menuButtonVisible;
        // In the search box.
        QRect searchButton, searchBar;
        // In the grid viewport.
        QRect iconGrid, loadMore;
        // In the Load More panel.
        QRect loadMoreCaption;
    };

    // width and height: the window's inner size; margin: the menu width.
    [[nodiscard]] static Regions compute(int width, int height, int margin = kMenuWidth);

    struct SearchRow {
        int left, width; // the search box's, in the toolbar
    };
    [[nodiscard]] static SearchRow searchRow(int toolbarWidth, int searchWidth);
};
