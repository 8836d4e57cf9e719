#include "res/resources.h"

using namespace platform;

namespace {

constexpr std::uint32_t kStatic = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kLabel = kStatic | WS_GROUP | SS_LEFT | SS_CENTERIMAGE;
constexpr std::uint32_t kColon = kStatic | WS_GROUP | SS_RIGHT | SS_CENTERIMAGE;
constexpr std::uint32_t kValue = kStatic | SS_LEFT | SS_CENTERIMAGE;
constexpr std::uint32_t kMonthEdit =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL | ES_RIGHT;
constexpr std::uint32_t kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr std::uint32_t kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

const DialogTemplate kConditions{
    IDD_CONDITIONS,
    "決算書 - 集計条件",
    281,
    167,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    "ＭＳ Ｐゴシック",
    9,
    {
        {IDC_COMPANY_LABEL, ControlKind::Static, "事業所名", 7, 7, 35, 12, kLabel, 0},
        {-1, ControlKind::Static, "：", 58, 7, 9, 12, kColon, 0},
        {IDC_COMPANY, ControlKind::Static, " 会社名", 73, 7, 165, 12, kValue, 0},
        {IDC_PERIOD_LABEL, ControlKind::Static, "会計期間", 7, 28, 35, 12, kLabel, 0},
        {-1, ControlKind::Static, "：", 58, 28, 9, 12, kColon, 0},
        {IDC_PERIOD, ControlKind::Static, " 2002/01/11～2002/12/31", 73, 28, 165, 12, kValue, 0},
        {1009, ControlKind::Static, "集計期間", 7, 49, 35, 12, kLabel, 0},
        {-1, ControlKind::Static, "：", 58, 49, 9, 12, kColon, 0},
        {1011, ControlKind::Static, "月度(&S)", 96, 49, 25, 12, kLabel, 0},
        {IDC_START_MONTH, ControlKind::Edit, "", 73, 49, 18, 12, kMonthEdit, 0},
        {1012, ControlKind::Static, "～", 122, 50, 8, 12, kColon, 0},
        {1013, ControlKind::Static, "月度(&E)", 159, 49, 25, 12, kLabel, 0},
        {IDC_END_MONTH, ControlKind::Edit, "", 137, 49, 18, 12, kMonthEdit, 0},
        {1010, ControlKind::Static, "株主／社員資本", 7, 70, 50, 12, kLabel, 0},
        {1017, ControlKind::Static, "等変動計算書の", 7, 80, 50, 12, kLabel, 0},
        {1018, ControlKind::Static, "選択", 7, 90, 50, 12, kLabel, 0},
        {-1, ControlKind::Static, "：", 58, 70, 9, 12, kColon, 0},
        {IDC_KIND_SHAREHOLDERS, ControlKind::RadioButton,
         "株主資本等変動計算書の情報を出力する(&K)", 74, 71, 178, 11, kRadio, 0},
        {IDC_KIND_MEMBERS, ControlKind::RadioButton, "社員資本等変動計算書の情報を出力する(&M)", 74,
         84, 178, 11, kRadio, 0},
        {IDC_GROUP_OUTPUT, ControlKind::GroupBox, "出力先(&O)", 7, 107, 267, 35,
         WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX, 0},
        {IDC_OUTPUT_PATH, ControlKind::Edit, "", 12, 121, 195, 12,
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_STATICEDGE},
        {IDC_BROWSE, ControlKind::PushButton, "参照(&D)...", 211, 120, 57, 14, kButton, 0},
        {IDC_EXECUTE, ControlKind::PushButton, "実行(F12)", 156, 147, 57, 14, kButton | WS_GROUP,
         0},
        {IDC_CANCEL, ControlKind::PushButton, "キャンセル(Esc)", 217, 147, 57, 14,
         kButton | WS_GROUP, 0},
    },
};

const DialogTemplate kProgress{
    IDD_PROGRESS,
    "集計中",
    221,
    45,
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SYSMODAL | DS_SETFONT,
    "ＭＳ Ｐゴシック",
    9,
    {
        {IDC_PROGRESS_MAIN, ControlKind::Progress, "", 5, 6, 211, 22,
         WS_CHILD | WS_VISIBLE | WS_BORDER | PBS_SMOOTH, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
        {IDC_PROGRESS_SUB, ControlKind::Progress, "", 5, 29, 211, 10,
         WS_CHILD | WS_VISIBLE | WS_BORDER, WS_EX_STATICEDGE},
    },
};

}  // namespace

const DialogTemplate& ConditionsDialogTemplate() { return kConditions; }
const DialogTemplate& ProgressDialogTemplate() { return kProgress; }
