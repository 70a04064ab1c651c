#include "reportlayout.h"

namespace {

constexpr TextAlign L = TextAlign::Left, R = TextAlign::Right, C = TextAlign::Center;

// A column whose heading shares its data's box.
ReportColumn Col(const char* heading, int text, double left, double width, TextAlign align) {
    return {heading, text, left, width, align, left, width};
}

// A column whose heading has a box of its own.
ReportColumn Col(const char* heading, int text, double left, double width, TextAlign align, double headingLeft,
                 double headingWidth) {
    return {heading, text, left, width, align, headingLeft, headingWidth};
}

constexpr const char* kPartsLegend = "凡例) ■Body □Unit ＊Parts";

std::vector<ReportLayout> MakeLayouts() {
    std::vector<ReportLayout> v;
    v.push_back({ReportId::Item, 35.2, 6.3, 20.5, 14.3, 30.0,
                 {Col("品番", 0, 14.6, 45.0, L), Col("区分", 1, 59.3, 16.4, L), Col("通称名", 2, 76.2, 78.3, L),
                  Col("形態", 3, 154.8, 48.9, L), Col("規格", 4, 204.0, 49.7, L)},
                 {}, 0, nullptr, 0, 5.6, false, false});
    // The first two texts of a partner line are printed crosswise.
    v.push_back({ReportId::Tori, 35.2, 6.3, 20.5, 14.3, 30.0,
                 {Col("区分", 1, 14.5, 14.1, L), Col("コード", 0, 28.9, 19.1, L), Col("名称", 2, 47.6, 62.1, L),
                  Col("略称", 3, 109.7, 39.5, L), Col("電話番号", 4, 149.6, 28.2, L), Col("FAX", 5, 177.8, 28.2, L),
                  Col("住所１", 6, 206.0, 50.8, L)},
                 {}, 0, nullptr, 0, 5.6, false, false});
    v.push_back({ReportId::Parts, 35.2, 6.3, 24.6, 14.3, 30.0,
                 {Col("品番", 0, 14.6, 72.8, L), Col("員数", 2, 87.6, 13.0, R), Col("単価", 7, 100.5, 17.6, R),
                  Col("管理", 3, 118.0, 8.7, C), Col("ﾁｪｯｸ", 4, 126.7, 8.7, C), Col("通称名", 1, 135.6, 58.8, L),
                  Col("形態", 5, 194.4, 35.2, L), Col("規格", 6, 229.8, 29.1, L)},
                 {}, 0, kPartsLegend, 1.9, 5.6, false, false});
    v.push_back({ReportId::Genka, 35.2, 6.3, 24.6, 12.2, 30.0,
                 {Col("品番", 0, 14.6, 72.8, L), Col("基準単価", 2, 87.8, 17.6, R), Col("主材費", 3, 106.9, 17.6, R),
                  Col("加工費", 4, 125.9, 17.6, R), Col("外注費", 5, 145.0, 17.6, R), Col(nullptr, 6, 164.0, 17.6, R),
                  Col("員数", 1, 191.5, 12.0, R), Col("単位", 7, 209.6, 15.1, L)},
                 {}, 0, kPartsLegend, 1.9, 5.6, false, true});
    v.push_back({ReportId::Order, 35.2, 6.3, 20.5, 14.3, 30.0,
                 {Col("品番", 0, 14.6, 45.0, L), Col("通称名", 1, 62.1, 78.2, L), Col("出荷数", 2, 154.9, 26.1, R),
                  Col("在庫数", 3, 183.1, 26.1, R), Col("生産数", 4, 211.3, 26.1, R)},
                 {}, 0, nullptr, 0, 5.6, true, false});
    v.push_back({ReportId::Sup, 35.3, 6.3, 24.6, 14.3, 30.0,
                 {Col("品番", 2, 14.8, 23.5, L), Col("通称名", 3, 37.7, 64.0, L, 37.7, 61.6),
                  Col("必要数", 4, 102.4, 13.0, R, 99.5, 15.1), Col("在庫数", 5, 116.4, 12.4, R, 114.3, 15.1),
                  Col("調達数", 6, 131.2, 13.0, R, 129.1, 15.1), Col("荷姿入数", 10, 146.8, 14.3, R, 143.9, 17.2),
                  Col("発注数", 11, 163.0, 13.0, R), Col("手配荷姿", 9, 176.8, 24.5, L),
                  Col("調達単価", 7, 201.1, 27.8, R, 200.0, 28.8), Col("調達金額", 8, 230.7, 27.8, R, 229.7, 28.8)},
                 {Col("手配先区分", 0, 14.6, 23.8, L), Col("手配先", 1, 37.9, 85.0, L, 37.9, 74.3)},
                 25.9, "凡例) □Unit ＊Parts", 2.6, 6.6, true, false});
    return v;
}

}  // namespace

const ReportLayout& GetReportLayout(ReportId id) {
    static const std::vector<ReportLayout> layouts = MakeLayouts();
    return layouts[static_cast<size_t>(id)];
}
