#include "key_tables.h"

#include "resource.h"

const std::array<PadKey, kKeyboardRowKeyCount + 1> kKeyboardKeys = {{
    // Row 1: digits and the yen key (the device's font draws the backslash as the yen sign).
    {1017, u'1'},
    {1016, u'2'},
    {1004, u'3'},
    {1018, u'4'},
    {1019, u'5'},
    {1020, u'6'},
    {1008, u'7'},
    {1021, u'8'},
    {1010, u'9'},
    {1011, u'0'},
    {1012, u'^'},
    {1046, u'\\'},
    {1047, u'-'},
    // Row 2.
    {1048, u'Q'},
    {1049, u'W'},
    {1050, u'E'},
    {1051, u'R'},
    {1052, u'T'},
    {1053, u'Y'},
    {1054, u'U'},
    {1055, u'I'},
    {1056, u'O'},
    {1057, u'P'},
    {1058, u'@'},
    {1059, u'['},
    // Row 3.
    {1061, u'A'},
    {1062, u'S'},
    {1063, u'D'},
    {1064, u'F'},
    {1065, u'G'},
    {1066, u'H'},
    {1067, u'J'},
    {1068, u'K'},
    {1069, u'L'},
    {1070, u';'},
    {1071, u':'},
    {1072, u']'},
    // Row 4.
    {1073, u'Z'},
    {1074, u'X'},
    {1075, u'C'},
    {1076, u'V'},
    {1077, u'B'},
    {1078, u'N'},
    {1079, u'M'},
    {1080, u','},
    {1081, u'.'},
    {1082, u'/'},
    {1083, u'_'},
    // The space bar.
    {IDC_KEY_SPACE, u' '},
}};

const std::array<PadKey, kKeypadDigitCount + 1> kKeypadKeys = {{
    {1014, u'0'},
    {1001, u'1'},
    {1002, u'2'},
    {1003, u'3'},
    {1005, u'4'},
    {1006, u'5'},
    {1007, u'6'},
    {1008, u'7'},
    {1009, u'8'},
    {1010, u'9'},
    {IDC_KEY_POINT, u'.'},
}};
