// The Server Information dialog, run modally and driven like an operator would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "console/server_dialog.h"
#include "support/modal_driver.h"

namespace {

QPushButton* Button(QWidget* dialog, int id) {
    return dialog->findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
}

TEST(ServerDialog, LooksLikeItsTemplate) {
    CServerDialog dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Server Information");
    EXPECT_EQ(dialog.size(), QSize(411, 208));
    EXPECT_TRUE(Button(&dialog, 1)->isDefault());
    // A label may be wider than its template, so that its text fits: its size is left out.
    std::vector<std::string> controls;
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        const QRect r = control->geometry();
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* button = qobject_cast<const QPushButton*>(control);
        controls.push_back(
            (label    ? label->text()
             : button ? button->text()
                      : control->objectName())
                .toStdString() +
            QStringLiteral(" %1,%2").arg(r.x()).arg(r.y()).toStdString() +
            (label ? "" : QStringLiteral(" %1x%2").arg(r.width()).arg(r.height()).toStdString()));
    }
    std::sort(controls.begin(), controls.end());
    EXPECT_EQ(controls, (std::vector<std::string>{
                            "Cancel 326,39 75x23", "OK 326,11 75x23", "Radio 101,94",
                            "Server name or address 11,26", "Server port 161,24", "Station 11,94",
                            "control1000 11,46 116x23", "control1001 161,46 83x23",
                            "control1002 11,114 60x23", "control1003 101,114 60x23"}));
}

// Each row types into the four fields ("-" leaves one alone) and clicks OK (1) or Cancel (2).
TEST(ServerDialog, ShowsTheFieldsAndReturnsWhatWasTypedOnOkOnly) {
    const struct {
        const char* behaviour;
        const char* address;  // the address the dialog opens with
        std::vector<std::string> typed;
        int button;                       // also the result
        std::vector<std::string> fields;  // after the run
    } rows[] = {
        // clang-format off
        {"typed texts come back as typed, spaces and letters included", "127.0.0.1", {" my host ", "abc", "", "2a"}, 1, {" my host ", "abc", "", "2a"}},
        {"Cancel keeps the fields", "127.0.0.1", {"elsewhere", "-", "-", "-"}, 2, {"127.0.0.1", "12059", "1", "1"}},
        {"bytes that are not UTF-8 survive OK in a field left alone", "host\xff", {"-", "-", "-", "-"}, 1, {"host\xff", "12059", "1", "1"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CServerDialog dialog;
        dialog.addressText = row.address;
        dialog.portText = "12059";
        dialog.stationText = dialog.radioText = "1";
        std::vector<std::string> shown;
        ModalDriver driver([&](QWidget*) {
            for (int id = 1000; id <= 1003; ++id) {
                if (id > 1000) {  // the address may not be UTF-8: it is shown repaired
                    shown.push_back(dialog.edit(id)->text().toStdString());
                }
                if (row.typed[id - 1000] != "-") {
                    dialog.edit(id)->setText(QString::fromStdString(row.typed[id - 1000]));
                }
            }
            Button(&dialog, row.button)->click();
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), row.button);
        EXPECT_EQ(shown, (std::vector<std::string>{"12059", "1", "1"}));
        EXPECT_EQ((std::vector<std::string>{dialog.addressText, dialog.portText, dialog.stationText,
                                            dialog.radioText}),
                  row.fields);
    }
}

}  // namespace
