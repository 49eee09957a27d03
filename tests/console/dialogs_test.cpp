// The Colors, Relative Antennas, Frequency and About dialogs, run modally.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <tuple>

#include "console/about_dialog.h"
#include "console/colors_dialog.h"
#include "console/frequency_dialog.h"
#include "console/relative_dialog.h"
#include "console/tr_button.h"
#include "console_test_support.h"
#include "settings/settings_path.h"
#include "support/temp_folder.h"

namespace {

// A colour chooser picks (or is cancelled), then OK or Cancel: what is in use, what is saved, the
// repaint of the buttons in the order given, and what the next opening starts from.
TEST(ColorsDialog, ClosingPutsInUseAndSavesOnlyOnOk) {
    TempFolder folder;
    const std::filesystem::path settingsFile = folder.path() / "keva-client.ini";
    const SettingsLocation settings{settingsFile.string()};
    ColorScheme inUse;
    QWidget host;
    CTRButton tx(1009, inUse, &host), rx(1005, inUse, &host), grid(5, inUse, &host);
    PaintLog recorder;
    for (int left = 0; CTRButton * button : {&tx, &rx, &grid}) {
        button->setGeometry(left += 60, 0, 50, 41);
        button->installEventFilter(&recorder);
    }
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    // clang-format off
    const QString defaults = QStringLiteral("[Color]\nUnavailable=16744576\nAvailable=16711680\nSelected=255\n");
    const struct { const char* behaviour; int chooserButton; bool chooserAccepts; QColor picked, openedWith; int closeButton;
        ColorScheme inUse; QString saved; /* empty: no file */ } rows[] = {
        {"Cancel drops a picked colour and saves nothing", 5, true, QColor(0, 255, 0), QColor(255, 0, 0), 2, ColorScheme{}, QString()},
        {"OK without changes writes all four keys in order", 0, true, QColor(), QColor(), 1, ColorScheme{}, defaults + "Text=7929855\n"},
        {"OK puts the picked colour in use and saves it", 6, true, QColor(1, 2, 3), QColor(255, 255, 120), 1, ColorScheme{.textColor = 0x030201u}, defaults + "Text=197121\n"},
        {"a cancelled chooser leaves the colour", 3, false, QColor(9, 9, 9), QColor(128, 128, 255), 1, ColorScheme{}, defaults + "Text=7929855\n"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        inUse = ColorScheme{};
        std::filesystem::remove(settingsFile);
        CColorsDialog dialog(inUse, settings);
        EXPECT_EQ(std::tuple(dialog.windowTitle(), dialog.size(), dialog.button(5)->text(),
                             dialog.button(5)->geometry(), dialog.button(1)->isDefault(),
                             QColorDialog::customColor(row.chooserButton)),
                  std::tuple(QString("Colors"), QSize(194, 133), QString("Selected"),
                             QRect(11, 70, 75, 23), true, QColor(255, 255, 255)));
        QColor openedWith;
        WhenModal<CColorsDialog>([&](CColorsDialog& running) {
            if (row.chooserButton != 0) {
                WhenModal<QColorDialog>([&](QColorDialog& chooser) {
                    openedWith = chooser.currentColor();
                    chooser.setCurrentColor(row.picked);
                    row.chooserAccepts ? chooser.accept() : chooser.reject();
                });
                running.button(row.chooserButton)->click();
            }
            recorder.painted.clear();
            running.button(row.closeButton)->click();
        });
        OpenColorsDialog(dialog, {&grid, &tx, &rx});
        EXPECT_EQ(openedWith, row.openedWith);
        EXPECT_EQ(inUse, row.inUse);
        EXPECT_EQ(LoadColorScheme(settings), row.saved.isEmpty() ? ColorScheme{} : row.inUse);
        EXPECT_EQ(QString::fromStdString(ReadText(settingsFile)).remove(' '), row.saved);
        // Reactivation may paint the focus button first: only the last three count.
        ASSERT_GE(recorder.painted.size(), 3u);
        EXPECT_EQ(std::vector<QObject*>(recorder.painted.end() - 3, recorder.painted.end()),
                  (std::vector<QObject*>{&grid, &tx, &rx}));
        WhenModal<CColorsDialog>([&](CColorsDialog& running) {
            EXPECT_EQ(running.working, row.inUse) << "the next opening starts from the scheme";
            running.reject();
        });
        OpenColorsDialog(dialog, {});
    }
}

// Buttons pressed in turn (1, OK, by Enter once it has the focus): what is asked or returned. At 8
// points DejaVu Sans the About box's version line is whole at pixel ratios 1 and 2: a cut glyph
// would leave ink in the label's last column.
TEST(SmallDialogs, ModalFlows) {
    const QFont saved = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    CAboutDlg about;
    QApplication::setFont(saved);
    EXPECT_EQ(about.versionLabel()->text(), QStringLiteral("KEVA Windows Client Version 0.2"));
    ASSERT_TRUE(about.iconLabel() && about.findChildren<QLabel*>().size() == 2 &&
                about.findChildren<QPushButton*>().size() == 1);
    EXPECT_EQ(about.findChild<QPushButton*>()->text(), QStringLiteral("OK"));
    for (int ratio : {1, 2}) {
        const QImage image = RenderAt(*about.versionLabel(), ratio);
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(Pixel(image, image.width() - 1, y), Pixel(image, 0, 0)) << ratio << " " << y;
    }
    using Asked = std::tuple<int, int, int>;  // TX code, antenna, RX code
    enum Kind { Relative, Frequency, About };
    // clang-format off
    const struct { const char* behaviour; Kind kind; const char *title, *before, *typed; std::vector<int> pressed; int result;
        std::vector<Asked> asked; const char* after; } rows[] = {
        {"each relative button asks once; OK asks nothing", Relative, "Relative Antennas", "", "", {3, 4, 5, 6, 8, 8, 7, 1},
            QDialog::Accepted, {{5, 0, 5}, {5, 1, 5}, {5, 2, 5}, {5, 3, 5}, {6, 0, 6}, {6, 0, 6}, {7, 0, 7}}, ""},
        {"a frequency on OK", Frequency, "Frequency", "", "14250.7", {1}, QDialog::Accepted, {}, "14250.7"},
        {"Cancel keeps the text", Frequency, "Frequency", "7000", "3500", {2}, QDialog::Rejected, {}, "7000"},
        {"About closes with OK", About, "About KEVA Windows Client", "", "", {1}, QDialog::Accepted, {}, ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CRelative relative;
        CFrequencyDlg frequency;
        frequency.frequencyText = row.before;
        QDialog& dialog = *std::array<QDialog*, 3>{&relative, &frequency, &about}[row.kind];
        EXPECT_EQ(dialog.windowTitle(), row.title);
        std::vector<Asked> asked;
        QObject::connect(&relative, &CRelative::antennaRequested,
                         [&](int tx, int antenna, int rx) { asked.emplace_back(tx, antenna, rx); });
        WhenModal<QDialog>([&](QDialog& running) {
            EXPECT_EQ(relative.size(), QSize(281, 148));
            EXPECT_EQ(frequency.edit()->text(), QString::fromLatin1(row.before));
            frequency.edit()->setText(QString::fromLatin1(row.typed));
            for (int id : row.pressed) {
                QPushButton* button = row.kind == Relative    ? relative.button(id)
                                      : row.kind == Frequency ? frequency.button(id)
                                                              : about.findChild<QPushButton*>();
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

}  // namespace
