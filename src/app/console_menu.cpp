#include "app/console_menu.h"

#include <QAction>
#include <QMenu>

namespace {

void AddCommand(QMenu& menu, const char* text, int id) {
    QAction* action = menu.addAction(QString::fromLatin1(text));
    action->setData(id);
}

}  // namespace

void AddConsoleCommands(QMenu& menu) {
    AddCommand(menu, "Server", IdSysServer);
    AddCommand(menu, "Frequency", IdSysFrequency);
    AddCommand(menu, "Relative", IdSysRelative);
    AddCommand(menu, "Colors", IdSysColors);
    menu.addSeparator();
    AddCommand(menu, AboutMenuText, IdSysAbout);
}
