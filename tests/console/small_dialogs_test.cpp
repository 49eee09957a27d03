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

// Each row runs the Relative Antennas or the Frequency dialog modally, presses its buttons in
// turn (1, OK, by Enter once it has the focus) and checks what it asked for or returned.
TEST(SmallDialogs, ModalFlows) {
    using Asked = std::tuple<int, int, int>;  // TX code, antenna, RX code
    const struct {
        const char* behaviour;
        bool relative;  // else Frequency
        const char *before, *typed;
        std::vector<int> pressed;
        int result;
        std::vector<Asked> asked;
        const char* after;
    } rows[] = {
        // clang-format off
        {"each relative button asks once; OK asks nothing", true, "", "", {3, 4, 5, 6, 8, 8, 7, 1}, QDialog::Accepted,
         {{5, 0, 5}, {5, 1, 5}, {5, 2, 5}, {5, 3, 5}, {6, 0, 6}, {6, 0, 6}, {7, 0, 7}}, ""},
        {"a frequency on OK", false, "", "14250.7", {1}, QDialog::Accepted, {}, "14250.7"},
        {"Cancel keeps the text", false, "7000", "3500", {2}, QDialog::Rejected, {}, "7000"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CRelative relative;
        CFrequencyDlg frequency;
        frequency.frequencyText = row.before;
        QDialog& dialog = row.relative ? static_cast<QDialog&>(relative) : frequency;
        EXPECT_EQ(dialog.windowTitle(), row.relative ? "Relative Antennas" : "Frequency");
        std::vector<Asked> asked;
        QObject::connect(&relative, &CRelative::antennaRequested,
                         [&](int tx, int antenna, int rx) { asked.emplace_back(tx, antenna, rx); });
        WhenModal<QDialog>([&](QDialog& running) {
            EXPECT_EQ(relative.size(), QSize(281, 148));
            EXPECT_EQ(frequency.edit()->text(), QString::fromLatin1(row.before));
            frequency.edit()->setText(QString::fromLatin1(row.typed));
            for (int id : row.pressed) {
                QPushButton* button = row.relative ? relative.button(id) : frequency.button(id);
                EXPECT_TRUE(button->isDefault() == (id == 1) && running.isVisible()) << id;
                if (id == 1) {
                    EXPECT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }, 10000));
                    QTest::keyClick(button, Qt::Key_Return);
                } else {
                    button->click();
                }
            }
        });
        EXPECT_EQ(dialog.exec(), row.result);
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(frequency.frequencyText, row.after);
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
