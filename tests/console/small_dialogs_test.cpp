// The Relative Antennas, Frequency and About dialogs, run modally.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <tuple>

#include "console/about_dialog.h"
#include "console/frequency_dialog.h"
#include "console/relative_dialog.h"
#include "console_test_support.h"

namespace {

TEST(RelativeDialog, EachButtonAsksForOneRelativeAntennaAndTheWindowStaysOpen) {
    CRelative dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Relative Antennas"));
    EXPECT_EQ(dialog.size(), QSize(281, 148));
    EXPECT_EQ(dialog.button(8)->geometry().top(), dialog.button(3)->geometry().top());
    EXPECT_TRUE(dialog.button(1)->isDefault());
    QSignalSpy spy(&dialog, &CRelative::antennaRequested);
    using Asked = std::tuple<int, int, int>;  // TX code, antenna, RX code
    WhenModal<CRelative>([&spy](CRelative& running) {
        const struct {
            int id;
            Asked asked;
        } rows[] = {{3, {5, 0, 5}}, {4, {5, 1, 5}}, {5, {5, 2, 5}}, {6, {5, 3, 5}},
                    {8, {6, 0, 6}}, {8, {6, 0, 6}}, {7, {7, 0, 7}}};
        for (const auto& row : rows) {
            spy.clear();
            running.button(row.id)->click();
            ASSERT_EQ(spy.count(), 1) << row.id;
            EXPECT_EQ(Asked(spy[0][0].toInt(), spy[0][1].toInt(), spy[0][2].toInt()), row.asked)
                << row.id;
            EXPECT_TRUE(running.isVisible());
        }
        spy.clear();
        running.button(1)->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(spy.count(), 0) << "closing asks for nothing";
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

// At 8 points DejaVu Sans the version line is whole at pixel ratios 1 and 2: a cut glyph would
// leave ink in the label's last column.
TEST(AboutDialog, ShowsTheIconAndTheWholeVersionLineAndClosesWithOk) {
    const QFont saved = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    CAboutDlg dialog;
    QApplication::setFont(saved);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About KEVA Windows Client"));
    EXPECT_EQ(dialog.versionLabel()->text(), QStringLiteral("KEVA Windows Client Version 0.2"));
    EXPECT_NE(dialog.iconLabel(), nullptr);
    EXPECT_EQ(dialog.findChildren<QLabel*>().size(), 2);
    for (int ratio : {1, 2}) {
        const QImage image = RenderAt(*dialog.versionLabel(), ratio);
        for (int y = 0; y < image.height(); ++y) {
            ASSERT_EQ(Pixel(image, image.width() - 1, y), Pixel(image, 0, 0)) << ratio << " " << y;
        }
    }
    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("OK"));
    WhenModal<CAboutDlg>([](CAboutDlg& running) { running.findChild<QPushButton*>()->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace
