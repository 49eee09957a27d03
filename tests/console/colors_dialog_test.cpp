// The Colors dialog with the real colour chooser, driven while it runs modally, and the settings
// file it writes.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "console/colors_dialog.h"
#include "console/tr_button.h"
#include "console_test_support.h"
#include "settings/settings_path.h"

namespace {

const char* const DefaultSettings =
    "[Color]\nUnavailable=16744576\nAvailable=16711680\nSelected=255\nText=7929855\n";

// The chooser of one colour button picks a colour (or is cancelled; its custom colours are white),
// then the dialog closes with OK or Cancel: what is in use, what is saved, the repaint of the
// console's buttons in the order given, and what the next opening starts from.
TEST(ColorsDialog, ClosingPutsInUseAndSavesOnlyOnOk) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString settingsFile = folder.filePath(QStringLiteral("keva-client.ini"));
    const SettingsLocation settings{settingsFile.toStdString()};

    ColorScheme inUse;
    QWidget host;
    host.resize(250, 60);
    CTRButton tx(1009, inUse, &host), rx(1005, inUse, &host), grid(5, inUse, &host);
    PaintLog recorder;
    for (int left = 0; CTRButton * button : {&tx, &rx, &grid}) {
        button->setGeometry(left += 60, 0, 50, 41);
        button->installEventFilter(&recorder);
    }
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));

    ColorScheme textChanged;
    textChanged.textColor = 0x030201u;
    const struct {
        const char* behaviour;
        int chooserButton;
        bool chooserAccepts;
        QColor picked, openedWith;
        int closeButton;
        ColorScheme inUse;
        QString saved;  // empty: no file
    } rows[] = {
        {"Cancel drops a picked colour and saves nothing", 5, true, QColor(0, 255, 0),
         QColor(255, 0, 0), 2, ColorScheme{}, QString()},
        {"OK without changes writes all four keys in order", 0, true, QColor(), QColor(), 1,
         ColorScheme{}, DefaultSettings},
        {"OK puts the picked colour in use and saves it", 6, true, QColor(1, 2, 3),
         QColor(255, 255, 120), 1, textChanged,
         QStringLiteral("[Color]\nUnavailable=16744576\nAvailable=16711680\nSelected=255\n"
                        "Text=197121\n")},
        {"a cancelled chooser leaves the colour", 3, false, QColor(9, 9, 9), QColor(128, 128, 255),
         1, ColorScheme{}, DefaultSettings},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        inUse = ColorScheme{};
        QFile::remove(settingsFile);
        CColorsDialog dialog(inUse, settings);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Colors"));
        EXPECT_EQ(dialog.size(), QSize(194, 133));
        EXPECT_EQ(dialog.button(5)->text(), QStringLiteral("Selected"));
        EXPECT_EQ(dialog.button(5)->geometry(), QRect(11, 70, 75, 23));
        EXPECT_TRUE(dialog.button(1)->isDefault());
        EXPECT_EQ(QColorDialog::customColor(row.chooserButton), QColor(255, 255, 255));
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
        QFile file(settingsFile);
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).remove(' ')
                                                 : QString(),
                  row.saved);
        // Closing can also schedule a paint (the focus button on reactivation); it lands before
        // the repaint, so only the last three count.
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

}  // namespace
