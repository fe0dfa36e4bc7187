#pragma once

#include <QString>

// The bar's platform capability flags.
//
// isXp: the platform draws real desktop windows whose look can change at run time, i.e. the Qt
// platform plugin is not a headless one ("offscreen", "minimal", "minimalegl", "vnc").
// isThemed: isXp and the active widget style is a desktop theme rather than Qt's plain "windows"
// style (the classic look), compared ignoring case.
// The environment variable PICTOMINE_THEMED overrides both: "1" gives isXp and isThemed,
// "0" gives isXp without isThemed; any other value is ignored.
struct ThemeCapabilities {
    bool isXP = false;
    bool isThemed = false;
};

class ThemeProbe
{
public:
    // The rule above applied to explicit inputs.
    [[nodiscard]] static ThemeCapabilities evaluate(const QString& platformName, const QString& styleName,
                                                    const QString& themedOverride);
    // The rule applied to the running application and its style.
    [[nodiscard]] static ThemeCapabilities detect();
};
