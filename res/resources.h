// Dialog templates and the string table.
#pragma once
#include <string>

#include "platform/dialog.h"

inline constexpr int IDD_CONDITIONS = 130;
inline constexpr int IDD_PROGRESS = 131;

// Conditions dialog controls.
inline constexpr int IDC_END_MONTH = 1000;
inline constexpr int IDC_BROWSE = 1001;
inline constexpr int IDC_EXECUTE = 1002;
inline constexpr int IDC_CANCEL = 1003;
inline constexpr int IDC_COMPANY_LABEL = 1005;
inline constexpr int IDC_COMPANY = 1006;
inline constexpr int IDC_PERIOD_LABEL = 1007;
inline constexpr int IDC_PERIOD = 1008;
inline constexpr int IDC_GROUP_OUTPUT = 1014;
inline constexpr int IDC_OUTPUT_PATH = 1015;
inline constexpr int IDC_START_MONTH = 1016;
inline constexpr int IDC_KIND_SHAREHOLDERS = 1019;
inline constexpr int IDC_KIND_MEMBERS = 1020;

// Progress dialog controls.
inline constexpr int IDC_PROGRESS_MAIN = 1016;
inline constexpr int IDC_PROGRESS_SUB = 1017;

const platform::DialogTemplate& ConditionsDialogTemplate();
const platform::DialogTemplate& ProgressDialogTemplate();

// LoadString; empty when the program has no such string.
std::string LoadResourceString(int id);
