// The Colors dialog with the real colour chooser, driven while it runs modally, and the settings
// file it writes.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "console/colors_dialog.h"
#include "console/tr_button.h"
#include "console_test_support.h"
#include "settings/settings_path.h"

namespace {

// Records the ids of the buttons in the order they paint.
class PaintRecorder : public QObject {
public:
    std::vector<int> painted;

    // The buttons painted last, in order. Closing the dialog can also schedule a paint (the
    // console's focus button on reactivation); it lands before the first repaint.
    std::vector<int> Last(std::size_t count) const {
        const std::size_t from = painted.size() > count ? painted.size() - count : 0;
        return {painted.begin() + static_cast<std::ptrdiff_t>(from), painted.end()};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted.push_back(static_cast<OwnerDrawButton*>(watched)->controlId());
        }
        return false;
    }
};

class ColorsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        savedPath_ = SettingsFilePath;
        SettingsFilePath = folder_.filePath(QStringLiteral("keva-client.ini")).toStdString();
        CurrentColorScheme() = ColorScheme{};

        host_.resize(200, 60);
        for (int id : {1009, 1005, 5}) {
            auto button = std::make_unique<CTRButton>(id, &host_);
            button->setGeometry(60 * static_cast<int>(buttons_.size()), 0, 50, 41);
            button->installEventFilter(&recorder_);
            buttons_.push_back(std::move(button));
        }
        host_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
    }
    void TearDown() override { SettingsFilePath = savedPath_; }

    std::vector<QWidget*> ButtonsInOrder() const {
        return {buttons_[2].get(), buttons_[0].get(), buttons_[1].get()};  // ids 5, 1009, 1005
    }

    // Runs the dialog: the chooser of colour button `chooserButton` picks `colour`, then the
    // dialog is closed with `closeButton`; painting is recorded from the moment it closes.
    void Run(CColorsDialog& dialog, int chooserButton, QColor colour, int closeButton) {
        WhenModal<CColorsDialog>([=, this](CColorsDialog& running) {
            if (chooserButton != 0) {
                WhenModal<QColorDialog>([=, this](QColorDialog& chooser) {
                    chooserOpenedWith_ = chooser.currentColor();
                    chooser.setCurrentColor(colour);
                    chooser.accept();
                });
                running.button(chooserButton)->click();
            }
            recorder_.painted.clear();
            running.button(closeButton)->click();
        });
        OpenColorsDialog(dialog, ButtonsInOrder());
    }

    QString SettingsText() const {
        QFile file(QString::fromStdString(SettingsFilePath));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).remove(QLatin1Char(' '));
    }

    QTemporaryDir folder_;
    std::string savedPath_;
    QWidget host_;
    std::vector<std::unique_ptr<CTRButton>> buttons_;
    PaintRecorder recorder_;
    QColor chooserOpenedWith_;
};

TEST_F(ColorsDialogTest, CustomColoursStartWhite) {
    CColorsDialog dialog;
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        EXPECT_EQ(QColorDialog::customColor(i), QColor(255, 255, 255)) << i;
    }
    EXPECT_EQ(&CColorsDialog::chooser(), &CColorsDialog::chooser());
}

TEST_F(ColorsDialogTest, CancelSavesNothingAndTheNextOpeningStartsFromTheSchemeInUse) {
    CColorsDialog dialog;
    Run(dialog, 5, QColor(0, 255, 0), 2);
    EXPECT_EQ(chooserOpenedWith_, QColor(255, 0, 0));  // the Selected colour
    EXPECT_EQ(dialog.working.selectedColor, 0x00FF00u);
    EXPECT_EQ(CurrentColorScheme(), ColorScheme{});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(SettingsFilePath)));
    EXPECT_EQ(recorder_.Last(3), (std::vector<int>{5, 1009, 1005}));

    WhenModal<CColorsDialog>([](CColorsDialog& running) {
        EXPECT_EQ(running.working, ColorScheme{});
        running.reject();
    });
    OpenColorsDialog(dialog, {});
}

TEST_F(ColorsDialogTest, OkWithoutChangesWritesAllFourKeysInOrder) {
    CColorsDialog dialog;
    Run(dialog, 0, QColor(), 1);
    EXPECT_EQ(SettingsText(),
              QStringLiteral("[Color]\nUnavailable=16744576\nAvailable=16711680\nSelected=255\n"
                             "Text=7929855\n"));
    EXPECT_EQ(recorder_.Last(3), (std::vector<int>{5, 1009, 1005}));
}

TEST_F(ColorsDialogTest, OkPutsTheChosenColourInUseAndSavesIt) {
    CColorsDialog dialog;
    Run(dialog, 6, QColor(1, 2, 3), 1);
    EXPECT_EQ(chooserOpenedWith_, QColor(255, 255, 120));  // the Text colour
    EXPECT_EQ(CurrentColorScheme().textColor, 0x030201u);
    EXPECT_TRUE(SettingsText().contains(QStringLiteral("Text=197121\n")));
    // The repaint shows the new text colour at once.
    EXPECT_EQ(recorder_.Last(3), (std::vector<int>{5, 1009, 1005}));
}

TEST_F(ColorsDialogTest, CancelledChooserLeavesTheColour) {
    CColorsDialog dialog;
    WhenModal<CColorsDialog>([](CColorsDialog& running) {
        WhenModal<QColorDialog>([](QColorDialog& chooser) {
            chooser.setCurrentColor(QColor(9, 9, 9));
            chooser.reject();
        });
        running.button(3)->click();
        EXPECT_EQ(running.working.unavailableColor, 16744576u);
        running.reject();
    });
    OpenColorsDialog(dialog, {});
}

TEST(ColorsDialogLayout, TitleButtonsAndDefault) {
    CColorsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Colors"));
    EXPECT_EQ(dialog.size(), QSize(194, 133));
    EXPECT_EQ(dialog.button(5)->text(), QStringLiteral("Selected"));
    EXPECT_EQ(dialog.button(5)->geometry(), QRect(11, 70, 75, 23));
    EXPECT_TRUE(dialog.button(1)->isDefault());
}

}  // namespace
