// The Server Information dialog, run modally and driven like an operator would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "console/server_dialog.h"
#include "support/modal_driver.h"

namespace {

QPushButton* Button(QWidget* dialog, int id) {
    return dialog->findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
}

std::vector<std::string> LabelTexts(const QWidget* dialog) {
    std::vector<std::string> texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        texts.push_back(label->text().toStdString() + " @" + std::to_string(label->geometry().x()) +
                        "," + std::to_string(label->geometry().y()));
    }
    return texts;
}

CServerDialog* Filled(const char* address, const char* port, const char* station,
                      const char* radio) {
    auto* dialog = new CServerDialog();
    dialog->addressText = address;
    dialog->portText = port;
    dialog->stationText = station;
    dialog->radioText = radio;
    return dialog;
}

TEST(ServerDialog, LooksLikeItsTemplate) {
    CServerDialog dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Server Information");
    EXPECT_EQ(dialog.size(), QSize(411, 208));
    EXPECT_EQ(Button(&dialog, 1)->text().toStdString(), "OK");
    EXPECT_EQ(Button(&dialog, 1)->geometry(), QRect(326, 11, 75, 23));
    EXPECT_EQ(Button(&dialog, 2)->text().toStdString(), "Cancel");
    EXPECT_EQ(Button(&dialog, 2)->geometry(), QRect(326, 39, 75, 23));
    EXPECT_TRUE(Button(&dialog, 1)->isDefault());
    EXPECT_EQ(dialog.edit(1000)->geometry(), QRect(11, 46, 116, 23));
    EXPECT_EQ(dialog.edit(1001)->geometry(), QRect(161, 46, 83, 23));
    EXPECT_EQ(dialog.edit(1002)->geometry(), QRect(11, 114, 60, 23));
    EXPECT_EQ(dialog.edit(1003)->geometry(), QRect(101, 114, 60, 23));
    EXPECT_EQ(LabelTexts(&dialog),
              (std::vector<std::string>{"Server name or address @11,26", "Server port @161,24",
                                        "Station @11,94", "Radio @101,94"}));
}

// OK has the focus when the dialog opens; Tab then visits Cancel and the four edits.
TEST(ServerDialog, OkHasTheFocusAndTabFollowsTheTemplateOrder) {
    CServerDialog dialog;
    std::vector<std::string> chain;
    ModalDriver driver([&](QWidget* modal) {
        for (int i = 0; i < 7; ++i) {
            chain.push_back(modal->focusWidget()->objectName().toStdString());
            QTest::keyClick(modal, Qt::Key_Tab);
        }
        static_cast<QDialog*>(modal)->reject();
        return true;
    });
    dialog.DoModal();
    EXPECT_EQ(chain, (std::vector<std::string>{"control1", "control2", "control1000", "control1001",
                                               "control1002", "control1003", "control1"}));
}

TEST(ServerDialog, ShowsTheFieldsAndReturnsWhatWasTypedOnOkOnly) {
    struct Row {
        const char* behaviour;
        std::function<void(CServerDialog&)> answer;
        int result;
        std::vector<std::string> fields;  // after the run
    };
    const Row rows[] = {
        {"OK unchanged",
         [](CServerDialog& d) { Button(&d, 1)->click(); },
         1,
         {"127.0.0.1", "12059", "1", "1"}},
        {"typed texts come back as typed, spaces and letters included",
         [](CServerDialog& d) {
             d.edit(1000)->setText(" my host ");
             d.edit(1001)->setText("abc");
             d.edit(1002)->setText("");
             d.edit(1003)->setText("2a");
             Button(&d, 1)->click();
         },
         1,
         {" my host ", "abc", "", "2a"}},
        {"Enter is OK",
         [](CServerDialog& d) {
             d.edit(1001)->setText("4000");
             QTest::keyClick(d.edit(1001), Qt::Key_Return);
         },
         1,
         {"127.0.0.1", "4000", "1", "1"}},
        {"Cancel keeps the fields",
         [](CServerDialog& d) {
             d.edit(1000)->setText("elsewhere");
             Button(&d, 2)->click();
         },
         2,
         {"127.0.0.1", "12059", "1", "1"}},
        {"Escape is Cancel",
         [](CServerDialog& d) {
             d.edit(1000)->setText("elsewhere");
             QTest::keyClick(&d, Qt::Key_Escape);
         },
         2,
         {"127.0.0.1", "12059", "1", "1"}},
        {"the close box is Cancel",
         [](CServerDialog& d) { d.close(); },
         2,
         {"127.0.0.1", "12059", "1", "1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        std::unique_ptr<CServerDialog> dialog(Filled("127.0.0.1", "12059", "1", "1"));
        std::vector<std::string> shown;
        ModalDriver driver([&](QWidget* modal) {
            auto* d = static_cast<CServerDialog*>(modal);
            for (int id = 1000; id <= 1003; ++id) {
                shown.push_back(d->edit(id)->text().toStdString());
            }
            row.answer(*d);
            return true;
        });
        EXPECT_EQ(dialog->DoModal(), row.result);
        EXPECT_EQ(shown, (std::vector<std::string>{"127.0.0.1", "12059", "1", "1"}));
        EXPECT_EQ((std::vector<std::string>{dialog->addressText, dialog->portText,
                                            dialog->stationText, dialog->radioText}),
                  row.fields);
    }
}

// Bytes that are not UTF-8 survive an OK when the operator left the field alone.
TEST(ServerDialog, AnUntouchedFieldKeepsItsBytes) {
    std::unique_ptr<CServerDialog> dialog(Filled("host\xff", "12059", "1", "1"));
    ModalDriver driver([](QWidget* modal) {
        Button(modal, 1)->click();
        return true;
    });
    EXPECT_EQ(dialog->DoModal(), 1);
    EXPECT_EQ(dialog->addressText, "host\xff");
}

}  // namespace
