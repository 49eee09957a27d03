// The owner-drawn buttons on pixels of grabbed images, in the default scheme.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "console/ant_func_button.h"
#include "console/button_painting.h"
#include "console/color_scheme.h"
#include "console/rotator_button.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

const QRgb Unavailable = Rgb(128, 128, 255);
const QRgb Available = Rgb(0, 0, 255);
const QRgb Selected = Rgb(255, 0, 0);
const QRgb Text = Rgb(255, 255, 120);
const QRgb DarkShadow = Rgb(105, 105, 105);
const QRgb Shadow = Rgb(160, 160, 160);

class ButtonPainting : public testing::Test {
protected:
    void SetUp() override { CurrentColorScheme() = ColorScheme{}; }

    QImage GridButton(GridButtonState state, int height = 41, const QString& text = {}) {
        CAntFuncButton button(5, nullptr);
        button.setText(text);
        button.resize(95, height);
        button.SetState(state);
        return Grab(button);
    }
};

TEST_F(ButtonPainting, SplitFaceOfAnOddHeightGivesTheMiddleRowTheUpperColour) {
    const QImage upperTx = GridButton({1, 0, false});
    EXPECT_EQ(Pixel(upperTx, 5, 0), Available);
    EXPECT_EQ(Pixel(upperTx, 5, 20), Available);  // rows 20..40 first, then rows 0..20
    EXPECT_EQ(Pixel(upperTx, 5, 21), Unavailable);
    EXPECT_EQ(Pixel(upperTx, 5, 37), Unavailable);

    const QImage upperRx = GridButton({0, 2, false});
    EXPECT_EQ(Pixel(upperRx, 5, 20), Unavailable);
    EXPECT_EQ(Pixel(upperRx, 5, 21), Available);
}

TEST_F(ButtonPainting, BarsCoverRowsSixToEightAndNineToSevenFromTheBottom) {
    const QImage image = GridButton({2, 2, false});
    for (int y : {6, 7, 8, 32, 33, 34}) {
        EXPECT_EQ(Pixel(image, 10, y), Selected) << y;
        EXPECT_EQ(Pixel(image, 84, y), Selected) << y;  // W - 11
        EXPECT_EQ(Pixel(image, 9, y), Available) << y;
        EXPECT_EQ(Pixel(image, 85, y), Available) << y;  // W - 10 is outside
    }
    for (int y : {5, 9, 31, 35}) {
        EXPECT_EQ(Pixel(image, 40, y), Available) << y;
    }

    const QImage txOnly = GridButton({2, 0, false});
    EXPECT_EQ(Pixel(txOnly, 40, 7), Selected);
    EXPECT_EQ(Pixel(txOnly, 40, 33), Unavailable);
}

TEST_F(ButtonPainting, AStateOfThreeDrawsAvailableWithoutABar) {
    const QImage image = GridButton({3, 3, false});
    EXPECT_EQ(Pixel(image, 40, 7), Available);
    EXPECT_EQ(Pixel(image, 40, 33), Available);
    EXPECT_EQ(Pixel(image, 5, 20), Available);
}

TEST_F(ButtonPainting, HighlightDrawsADottedInvertedRectangleThreePixelsInside) {
    const QImage image = GridButton({1, 1, true});
    const QRgb inverted = Available ^ 0xFFFFFFu;
    // Left side x = 3: every other pixel (x + y even) inverted, the others untouched.
    EXPECT_EQ(Pixel(image, 3, 11), inverted);
    EXPECT_EQ(Pixel(image, 3, 12), Available);
    EXPECT_EQ(Pixel(image, 2, 11), Available);
    EXPECT_EQ(Pixel(image, 4, 11), Available);
    // Top y = 3, right x = W - 4 = 91, bottom y = H - 4 = 37.
    EXPECT_EQ(Pixel(image, 41, 3), inverted);
    EXPECT_EQ(Pixel(image, 41, 2), Available);
    EXPECT_EQ(Pixel(image, 91, 11), inverted);
    EXPECT_EQ(Pixel(image, 92, 11), Available);
    EXPECT_EQ(Pixel(image, 41, 37), inverted);
    EXPECT_EQ(Pixel(image, 41, 38), Available);
}

TEST_F(ButtonPainting, RaisedEdgeOnBottomRightAndSunkenEdgeOnTopLeftWhenPressed) {
    CAntFuncButton button(5, nullptr);
    button.resize(95, 41);
    QImage image = Grab(button);
    EXPECT_EQ(Pixel(image, 94, 20), DarkShadow);
    EXPECT_EQ(Pixel(image, 93, 20), Shadow);
    EXPECT_EQ(Pixel(image, 40, 40), DarkShadow);
    EXPECT_EQ(Pixel(image, 40, 39), Shadow);
    EXPECT_EQ(Pixel(image, 0, 20), Unavailable);
    EXPECT_EQ(Pixel(image, 40, 0), Unavailable);

    button.setDown(true);
    image = Grab(button);
    EXPECT_EQ(Pixel(image, 0, 20), Shadow);
    EXPECT_EQ(Pixel(image, 1, 20), DarkShadow);
    EXPECT_EQ(Pixel(image, 40, 0), Shadow);
    EXPECT_EQ(Pixel(image, 40, 1), DarkShadow);
    EXPECT_EQ(Pixel(image, 94, 20), Unavailable);
    EXPECT_EQ(Pixel(image, 40, 40), Unavailable);
}

TEST_F(ButtonPainting, RotatorInUseOffTheGridShowsBarsAndItsLabelOnAvailableCells) {
    CRotatorButton button(20, nullptr);
    button.resize(95, 41);
    button.SetLabelAndMarks("Beam\n245", false, true);
    const QImage image = Grab(button);
    EXPECT_EQ(Pixel(image, 5, 20), Unavailable);
    EXPECT_EQ(Pixel(image, 12, 7), Selected);
    EXPECT_EQ(Pixel(image, 12, 33), Selected);

    // The label's cells: available behind the letters, centred, around the middle row.
    const int lineHeight = QFontMetrics(button.font()).height();
    int availableRows = 0;
    bool textSeen = false;
    for (int y = 0; y < 41; ++y) {
        bool rowHasAvailable = false;
        for (int x = 0; x < 95; ++x) {
            rowHasAvailable |= Pixel(image, x, y) == Available;
            textSeen |= Pixel(image, x, y) == Text;
        }
        if (rowHasAvailable) {
            ++availableRows;
            EXPECT_GE(y, 41 / 2 - lineHeight) << y;
            EXPECT_LT(y, 41 / 2 + lineHeight) << y;
        }
    }
    EXPECT_EQ(availableRows, 2 * lineHeight);
    EXPECT_TRUE(textSeen);
    EXPECT_EQ(Pixel(image, 47, 20 - lineHeight + 1), Available);
    EXPECT_EQ(Pixel(image, 47, 20 + lineHeight - 1), Available);
}

TEST_F(ButtonPainting, ModeButtonFaceAndLabelCellFollowTheArmedFlag) {
    CTRButton button(1009, nullptr);
    button.setText(QStringLiteral("TX"));
    button.resize(50, 41);
    EXPECT_EQ(Pixel(Grab(button), 3, 3), Available);
    button.SetArmed(true);
    const QImage image = Grab(button);
    EXPECT_EQ(Pixel(image, 3, 3), Selected);
    bool textSeen = false;
    for (int x = 0; x < 50; ++x) {
        const QRgb pixel = Pixel(image, x, 20);
        EXPECT_TRUE(pixel != Available) << x;
        textSeen |= pixel == Text;
    }
    EXPECT_TRUE(textSeen);
}

TEST(OwnerDrawButton, SecondPressOfADoubleClickIsADoubleClickOnly) {
    CTRButton button(1009, nullptr);
    button.resize(50, 41);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QSignalSpy doubleClicks(&button, &OwnerDrawButton::doubleClicked);
    const QPointF at(10, 10);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&button, &event);
    }
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(button.controlId(), 1009);
}

}  // namespace
