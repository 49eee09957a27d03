// The console's commands: "Server", "Frequency", "Relative", "Colors" and the About box. The
// same actions fill the "&Console" menu of the menu bar and the context menu; each carries its
// command id, and every path ends in OnSysCommand.
#pragma once

class QMenu;

inline constexpr int IdSysAbout = 0x10;
inline constexpr int IdSysFrequency = 0x20;
inline constexpr int IdSysRelative = 0x30;
inline constexpr int IdSysColors = 0x40;
inline constexpr int IdSysServer = 0x50;

// Commands are compared after this mask.
inline constexpr int SysCommandMask = 0xFFF0;

inline constexpr const char* AboutMenuText = "&About KEVA Windows Client...";

// Appends the commands in menu order, each action's data holding its id.
void AddConsoleCommands(QMenu& menu);
