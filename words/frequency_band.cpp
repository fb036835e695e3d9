#include "frequency_band.h"

#include <array>

namespace hearvex::words {

namespace {

constexpr std::array<int, 4> kBandTops = {2000, 5000, 10000, 20000};

} // namespace

int bandOfRank(int rank) {
    if (rank <= 0)
        return 5;
    for (int band = 0; band < int(kBandTops.size()); ++band)
        if (rank <= kBandTops[band])
            return band + 1;
    return 5;
}

QString bandText(int band) {
    switch (band) {
    case 1:
        return QStringLiteral("1 最常用（前 2000 词）");
    case 2:
        return QStringLiteral("2 常用（前 5000 词）");
    case 3:
        return QStringLiteral("3 较常用（前 10000 词）");
    case 4:
        return QStringLiteral("4 少用（前 20000 词）");
    default:
        return QStringLiteral("5 罕用（20000 词以外）");
    }
}

} // namespace hearvex::words
