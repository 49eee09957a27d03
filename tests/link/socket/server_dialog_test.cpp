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

struct AnswerRow {
    const char* behaviour;
    const char* address;  // the address the dialog opens with
    std::function<void(CServerDialog&)> answer;
    int result;
    std::vector<std::string> fields;  // after the run
};

TEST(ServerDialog, ShowsTheFieldsAndReturnsWhatWasTypedOnOkOnly) {
    using D = CServerDialog;
    // clang-format off
    const AnswerRow rows[] = {
        {"typed texts come back as typed, spaces and letters included", "127.0.0.1", [](D& d) {
             d.edit(1000)->setText(" my host "); d.edit(1001)->setText("abc"); d.edit(1002)->setText(""); d.edit(1003)->setText("2a");
             Button(&d, 1)->click(); }, 1, {" my host ", "abc", "", "2a"}},
        {"Cancel keeps the fields", "127.0.0.1", [](D& d) { d.edit(1000)->setText("elsewhere"); Button(&d, 2)->click(); }, 2, {"127.0.0.1", "12059", "1", "1"}},
        {"bytes that are not UTF-8 survive OK in a field left alone", "host\xff", [](D& d) { Button(&d, 1)->click(); }, 1, {"host\xff", "12059", "1", "1"}},
    };
    // clang-format on
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CServerDialog dialog;
        dialog.addressText = row.address;
        dialog.portText = "12059";
        dialog.stationText = dialog.radioText = "1";
        std::vector<std::string> shown;
        ModalDriver driver([&](QWidget* modal) {
            for (int id = 1001; id <= 1003; ++id) {
                shown.push_back(static_cast<D*>(modal)->edit(id)->text().toStdString());
            }
            row.answer(*static_cast<D*>(modal));
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), row.result);
        EXPECT_EQ(shown, (std::vector<std::string>{"12059", "1", "1"}));
        EXPECT_EQ((std::vector<std::string>{dialog.addressText, dialog.portText, dialog.stationText,
                                            dialog.radioText}),
                  row.fields);
    }
}

}  // namespace
