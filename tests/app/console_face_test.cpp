// The console's face before the server has said anything: controls, geometry, focus order and
// menus. The console is not connected here; its queued connection request is never run.
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/console_fixture.h"
#include "app/console_layout.h"
#include "app/console_menu.h"
#include "console/console_test_support.h"

namespace {

using ConsoleFaceTest = ConsoleTest;

std::vector<std::string> ActionRows(const QMenu& menu) {
    std::vector<std::string> rows;
    for (const QAction* action : menu.actions()) {
        rows.push_back(action->isSeparator() ? std::string("-")
                                             : action->text().toStdString() + " " +
                                                   std::to_string(action->data().toInt()));
    }
    return rows;
}

const std::vector<std::string> MenuRows = {"Server 80",   "Frequency 32",
                                           "Relative 48", "Colors 64",
                                           "-",           "&About KEVA Windows Client... 16"};

TEST_F(ConsoleFaceTest, ControlsSitAtTheirTemplatePlacesAndOnlyTheModeButtonsShow) {
    Create();
    EXPECT_EQ(console->windowTitle().toStdString(), "KEVA Windows Client");
    EXPECT_EQ(console->face()->size(), QSize(557, 330));
    EXPECT_EQ(console->face()->geometry().top(), console->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(console->size(), QSize(557, 330 + console->menuBar()->height()));
    struct Row {
        int id;
        QRect rect;
        const char* text;
        bool shown;
    };
    const Row rows[] = {
        {5, {11, 63, 95, 41}, "Not initialized", false},
        {29, {452, 271, 95, 41}, "Not initialized", false},
        {1007, {11, 11, 405, 13}, "", true},
        {1009, {435, 11, 50, 41}, "TX", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        QWidget* control = console->control(row.id);
        EXPECT_EQ(control->geometry(), row.rect);
        EXPECT_EQ(control->parentWidget(), console->face());
        EXPECT_EQ(control->isVisible(), row.shown);
        EXPECT_EQ(control->isEnabled(), row.shown);
        const auto* label = qobject_cast<QLabel*>(control);
        EXPECT_EQ((label ? label->text() : static_cast<QAbstractButton*>(control)->text()),
                  row.text);
        // The server's names are shown as they are, never as markup.
        EXPECT_TRUE(label == nullptr || label->textFormat() == Qt::PlainText);
    }
}

// Escape and Enter (the dialog's OK command) end the console's modal run.
TEST_F(ConsoleFaceTest, TheStandardDialogEndingsCloseTheConsole) {
    struct Row {
        const char* behaviour;
        std::function<void(CKEVAWindowsClientDlg&)> action;
        int result;
    };
    const Row rows[] = {
        {"Escape", [](CKEVAWindowsClientDlg& c) { QTest::keyClick(&c, Qt::Key_Escape); },
         QDialog::Rejected},
        {"Enter", [](CKEVAWindowsClientDlg& c) { QTest::keyClick(&c, Qt::Key_Return); },
         QDialog::Accepted},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        Create();
        row.action(*console);
        EXPECT_TRUE(console->isHidden());
        EXPECT_EQ(console->result(), row.result);
    }
}

// The console menu carries the commands and their ids; a right click on the background and the
// menu key open the same commands; a right click on a button is no click on the background.
TEST_F(ConsoleFaceTest, TheConsoleMenuAndTheContextMenuOfferTheCommands) {
    Create();
    const QList<QAction*> menus = console->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text().toStdString(), "&Console");
    EXPECT_EQ(ActionRows(*menus[0]->menu()), MenuRows);
    struct Row {
        const char* behaviour;
        QContextMenuEvent::Reason reason;
        QPoint where;
        bool opens;
    };
    const QPoint background = console->face()->mapTo(console.get(), QPoint(540, 320));
    const QPoint onButton = console->face()->mapTo(console.get(), QPoint(460, 30));
    const Row rows[] = {
        {"right click on the background", QContextMenuEvent::Mouse, background, true},
        {"menu key", QContextMenuEvent::Keyboard, QPoint(), true},
        {"right click on the TX mode button", QContextMenuEvent::Mouse, onButton, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        std::vector<std::string> seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = ActionRows(*menu);
                menu->close();
            }
        });
        poll.start(5);
        QContextMenuEvent event(row.reason, row.where, console->mapToGlobal(row.where));
        QApplication::sendEvent(console.get(), &event);
        EXPECT_EQ(seen, row.opens ? MenuRows : std::vector<std::string>{});
    }
}

// A long-name line shows the server's text as sent, "&" as itself (it is part of a station's
// name, no mnemonic); a name longer than the line shows the whole words that fit, as a one-line
// static text that wraps does, at pixel ratios 1 and 2.
TEST_F(ConsoleFaceTest, ALongNameLineShowsTheWholeWordsThatFit) {
    Create();
    auto* line = static_cast<QLabel*>(console->control(1007));
    const struct {
        std::string text;
        const char* shown;
    } rows[] = {
        {"TX: Yagi & Dipole", "TX: Yagi & Dipole"},
        {"TX: Dipole " + std::string(100, 'W'), "TX: Dipole"},
    };
    QLabel reference;
    reference.setTextFormat(Qt::PlainText);
    reference.setFont(line->font());
    reference.resize(line->size());
    for (const auto& row : rows) {
        console->SetLongNameLines(row.text, "");
        reference.setText(QString::fromLatin1(row.shown));
        EXPECT_EQ(line->text().toStdString(), row.text);
        for (int ratio : {1, 2}) {
            EXPECT_TRUE(RenderAt(*line, ratio) == RenderAt(reference, ratio)) << row.shown << ratio;
        }
    }
}

}  // namespace
