#include "app/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace lumeno {

void InstallFontSubstitutes()
{
    // Arial's metric twins first; DejaVu's condensed cut comes close enough
    // that captions sized for Arial are not cut off.
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans Condensed"});
    const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC",    "Noto Sans CJK TC",
                          "Source Han Sans SC",  "Droid Sans Fallback", "AR PL UMing CN"};
    QFont::insertSubstitutions(QString::fromUtf8("\u9ED1\u4F53"), cjk); // 黑体
    QFont::insertSubstitutions(QString::fromUtf8("\u5B8B\u4F53"), cjk); // 宋体
}

} // namespace lumeno
