#include "app/LoadMoreSlide.h"

LoadMoreSlide::Step LoadMoreSlide::tick(bool shown, int panelTop, int viewportHeight, int panelHeight)
{
    if (shown) {
        const int top = panelTop - kStep;
        const int rest = viewportHeight - panelHeight;
        return rest > top ? Step{rest, true} : Step{top, false};
    }
    const int top = panelTop + kStep;
    return top > viewportHeight ? Step{viewportHeight, true} : Step{top, false};
}
