#pragma once

// The introduction shown by both intro windows: eight paragraphs with an
// empty line between two of them (the numbering skips 5).
inline constexpr char IntroText[] =
    "1、优化弹道设置 提高游戏平滑度\r\n\r\n"
    "2、修正上一版本游戏设置中高级选项以及键盘绑定按键出现无汉化字样，修复一些BUG。\r\n\r\n"
    "3、增加最新国内、全球服务器刷服补丁，因服务器多刷新慢，请在服务器刷新列表等待十秒钟即可。\r\n\r\n"
    "4、此版本界面主要增加了动态酷炫背景，默认使用静态背景，如想用动态背景可以点击桌面（Tessavel）快捷方式。\r\n\r\n"
    "6、从正版steam提取制作，最稳定的3266版本，47协议，完美兼容SXE等各种反作弊系统与插件。\r\n\r\n"
    "7、精心打造特色H菜单（中文名在根目录用记事本修改），在简洁、实用的设计理念下最大程度方便各个层次cs玩家的使用。\r\n\r\n"
    "8、最新比赛地图（de_mirage、de_forge、de_tuscan）和经典练枪地图加入。\r\n\r\n"
    "9、烟雾弹强制使用32bit，最佳效果；桌面快捷方式已自动添加3个鼠标去加速参数（用户只需要根据自身显示器属性加- freq 75 or 85 or 100即可）。";
