#pragma once

#include <array>
#include <string_view>

#include "control/controls.h"

namespace kestrune {

constexpr std::string_view windowCaption = "Kestrune";

// Each label's text when the window opens.
constexpr std::array<std::string_view, labelCount> labelStartTexts{{
    "00:00:00",    // Label1
    "姓名",        // Label2
    "",            // Label3
    "小时",        // Label4
    "分",          // Label5
    "秒",          // Label6
    "",            // Label7
    "",            // Label8
    "完成时间：",  // Label9
    "开始时间：",  // Label10
    "",            // Label11
    "",            // Label12
    "当前时间：",  // Label13
}};

constexpr std::array<std::string_view, buttonCount> buttonCaptions{{
    "开始",  // Command1
    "暂停",  // Command2
    "恢复",  // Command3
    "退出",  // Command4
    "试敏",  // Command5
    "体温",  // Command6
}};

}  // namespace kestrune
