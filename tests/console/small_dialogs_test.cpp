// The Relative Antennas, Frequency and About dialogs, run modally.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "console/about_dialog.h"
#include "console/frequency_dialog.h"
#include "console/relative_dialog.h"
#include "console_test_support.h"

namespace {

std::string Relative(int sequence, int code, int antenna) {
    const std::string c = std::to_string(code);
    const std::string a = std::to_string(antenna);
    return "{ \"Message\" : \"Antenna\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Station\" : 3, \"Radio\" : 2, \"Antennas\" : "
           "[ {\"TX\" : " +
           c + ", \"Antenna\" : " + a + " },  {\"RX\" : " + c + ", \"Antenna\" : " + a + " } ] } }";
}

TEST(RelativeDialog, EachButtonSendsOneRelativeRequestAndTheWindowStaysOpen) {
    RecordingLink link;
    g_lastSequenceSent = 99;
    g_station = 3;
    g_radio = 2;
    CRelative dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Relative Antennas"));
    EXPECT_EQ(dialog.size(), QSize(281, 148));
    EXPECT_TRUE(dialog.button(1)->isDefault());
    WhenModal<CRelative>([&link](CRelative& running) {
        for (int id : {5, 8, 8, 8, 7, 3, 6}) {
            running.button(id)->click();
            EXPECT_TRUE(running.isVisible());
        }
        const std::vector<std::string> expected = {
            Relative(100, 5, 2), Relative(101, 6, 0), Relative(102, 6, 0), Relative(103, 6, 0),
            Relative(104, 7, 0), Relative(105, 5, 0), Relative(106, 5, 3)};
        EXPECT_EQ(link.sent, expected);
        running.button(1)->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(link.sent.size(), 7u);  // closing sent nothing
    EXPECT_EQ(dialog.button(8)->geometry().top(), dialog.button(3)->geometry().top());
}

TEST(FrequencyDialog, ShowsTheTextAndReturnsWhatIsTypedOnlyOnOk) {
    const struct {
        const char* before;
        const char* typed;
        bool ok;  // Enter on the focused OK, else Cancel
        const char* after;
    } rows[] = {{"", "14250.7", true, "14250.7"},
                {"", "abc", true, "abc"},
                {"", "-5", true, "-5"},
                {"", "", true, ""},
                {"7000", "3500", false, "7000"}};
    for (const auto& row : rows) {
        CFrequencyDlg dialog;
        dialog.frequencyText = row.before;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Frequency"));
        WhenModal<CFrequencyDlg>([&row](CFrequencyDlg& running) {
            EXPECT_EQ(running.edit()->text(), QString::fromLatin1(row.before));
            EXPECT_TRUE(QTest::qWaitFor([&] { return running.button(1)->hasFocus(); }, 10000));
            running.edit()->setText(QString::fromLatin1(row.typed));
            row.ok ? QTest::keyClick(running.button(1), Qt::Key_Return)
                   : running.button(2)->click();
        });
        EXPECT_EQ(dialog.exec(), row.ok ? QDialog::Accepted : QDialog::Rejected) << row.typed;
        EXPECT_EQ(dialog.frequencyText, row.after);
    }
}

TEST(AboutDialog, ShowsTheIconTheVersionAndOk) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About KEVA Windows Client"));
    EXPECT_EQ(dialog.versionLabel()->text(), QStringLiteral("KEVA Windows Client Version 0.2"));
    EXPECT_NE(dialog.iconLabel(), nullptr);
    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.findChildren<QLabel*>().size(), 2);
    WhenModal<CAboutDlg>([](CAboutDlg& running) { running.findChild<QPushButton*>()->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

// At 8 points DejaVu Sans the version line is whole at pixel ratios 1 and 2: a cut glyph would
// leave ink in the label's last column.
TEST(AboutDialog, TheVersionLineIsWholeAtRatios1And2) {
    const QFont saved = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    CAboutDlg dialog;
    QApplication::setFont(saved);
    for (int ratio : {1, 2}) {
        const QImage image = RenderAt(*dialog.versionLabel(), ratio);
        for (int y = 0; y < image.height(); ++y) {
            ASSERT_EQ(Pixel(image, image.width() - 1, y), Pixel(image, 0, 0)) << ratio << " " << y;
        }
    }
}

}  // namespace
