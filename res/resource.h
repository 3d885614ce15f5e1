#pragma once

// Resource ids: dialog templates, the icon and the controls of each dialog.

// Templates and icon.
inline constexpr unsigned IDD_TARVO_DIALOG = 102;
inline constexpr unsigned IDR_MAINFRAME = 128;
inline constexpr unsigned IDD_ENTRY = 129;
inline constexpr unsigned IDD_STATS = 130;
inline constexpr unsigned IDD_KEYPAD = 131;
inline constexpr unsigned IDD_KEYBOARD = 132;
inline constexpr unsigned IDD_CONFIRM = 133;
// Beyond the handheld: the import's preview, with the questions it may have to ask; the log's
// units and currency.
inline constexpr unsigned IDD_IMPORT_PREVIEW = 140;
inline constexpr unsigned IDD_LOG_SETTINGS = 142;

// Main dialog (102).
inline constexpr int IDC_INPUT = 1001;
inline constexpr int IDC_ANALYZE = 1002;
inline constexpr int IDC_CORRECT = 1003;
inline constexpr int IDC_DELETE = 1005;
inline constexpr int IDC_LOG_LIST = 1015;
inline constexpr int IDC_REMINDER_VALUE1 = 1026;
inline constexpr int IDC_REMINDER_VALUE2 = 1027;
inline constexpr int IDC_REMINDER_VALUE3 = 1028;
inline constexpr int IDC_REMINDER_LABEL1 = 1029;
inline constexpr int IDC_REMINDER_LABEL2 = 1030;
inline constexpr int IDC_REMINDER_LABEL3 = 1031;
inline constexpr int IDC_SUMMARY = 1032;

// Entry dialog (129).
inline constexpr int IDC_TODAY_NOW = 1001;
inline constexpr int IDC_DATE = 1002;
inline constexpr int IDC_TIME = 1003;
inline constexpr int IDC_FUEL = 1004;
inline constexpr int IDC_ODO = 1005;
inline constexpr int IDC_ENTRY_VALUE1 = 1006;
inline constexpr int IDC_ENTRY_VALUE2 = 1007;
inline constexpr int IDC_ENTRY_VALUE3 = 1008;
inline constexpr int IDC_ENTRY_LABEL1 = 1009;
inline constexpr int IDC_ENTRY_LABEL2 = 1011;
inline constexpr int IDC_ENTRY_LABEL3 = 1012;
inline constexpr int IDC_PRICE = 1013;
inline constexpr int IDC_KIND_FILLUP = 1034;
inline constexpr int IDC_KIND_NOTFILLUP = 1035;
inline constexpr int IDC_KIND_MAINTENANCE = 1036;

// Statistics dialog (130).
inline constexpr int IDC_REPORT = 1004;

// Numeric keypad (131). The digit keys' ids are not in digit order; see the keypad's key table.
inline constexpr int IDC_KEYPAD_DISPLAY = 1004;
inline constexpr int IDC_KEY_POINT = 1011;
inline constexpr int IDC_KEY_CLEAR = 1012;

// On-screen keyboard (132). The 48 character keys of the four rows are in the keyboard's table.
inline constexpr int IDC_KEYBOARD_DISPLAY = 1005;
inline constexpr int IDC_KEY_SPACE = 1022;
inline constexpr int IDC_KEY_BACKSPACE = 1023;

// Import preview (140): what the import will do, the log it goes into, the rows to leave out,
// the open questions (each a text and a list of answers), the file's columns as placed by hand
// (each a label and a list of the file's headers), why nothing can be imported, the rows as a
// table and the notes.
inline constexpr int IDC_IMPORT_SUMMARY = 1040;
inline constexpr int IDC_IMPORT_INTO = 1041;
inline constexpr int IDC_IMPORT_SKIP_SUSPECT = 1042;
inline constexpr int IDC_IMPORT_SKIP_REPEATS = 1043;
inline constexpr int IDC_IMPORT_PROBLEM = 1044;
inline constexpr int IDC_IMPORT_TABLE = 1045;
inline constexpr int IDC_IMPORT_NOTES = 1046;
inline constexpr int IDC_IMPORT_QUESTION1 = 1050;
inline constexpr int IDC_IMPORT_ANSWER1 = 1060;
inline constexpr int kImportQuestionSlots = 4;
inline constexpr int IDC_IMPORT_COLUMN_LABEL1 = 1070;
inline constexpr int IDC_IMPORT_COLUMN1 = 1080;
inline constexpr int kImportColumnSlots = 9;

// Log settings (142): the distance and the quantity as radio groups, in the order of their
// units, the currency's code, and a note on what can change.
inline constexpr int IDC_UNITS_KM = 1010;
inline constexpr int IDC_UNITS_MI = 1011;
inline constexpr int IDC_UNITS_LITRES = 1020;
inline constexpr int IDC_UNITS_KWH = 1024;
inline constexpr int IDC_UNITS_CURRENCY = 1030;
inline constexpr int IDC_UNITS_NOTE = 1031;
