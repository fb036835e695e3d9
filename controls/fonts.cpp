#include "fonts.h"

#include <QStringList>

namespace hearvex::controls {

namespace {
const QStringList kSerifCjk = {QStringLiteral("Noto Serif CJK SC"),
                               QStringLiteral("AR PL UMing CN"),
                               QStringLiteral("Noto Sans CJK SC")};
const QStringList kSansCjk = {QStringLiteral("Noto Sans CJK SC"),
                              QStringLiteral("WenQuanYi Micro Hei"),
                              QStringLiteral("AR PL UMing CN")};
} // namespace

void installFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("宋体"), kSerifCjk);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), kSerifCjk);
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif CJK SC")});
}

QFont songTi(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(kSerifCjk);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont interfaceFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(kSansCjk);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont timesNewRoman(int pixelSize) {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                   QStringLiteral("Noto Serif CJK SC")});
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace hearvex::controls
