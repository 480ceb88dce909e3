#include "ui/fonts.h"

#include <QFont>
#include <QStringList>

namespace varentix {

void install_font_substitutions() {
    QFont::insertSubstitutions(
        QStringLiteral("黑体"),
        {QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei"),
         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
         QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(
        QStringLiteral("宋体"),
        {QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
         QStringLiteral("AR PL UMing CN"), QStringLiteral("Source Han Serif SC"),
         QStringLiteral("WenQuanYi Zen Hei")});
}

}  // namespace varentix
