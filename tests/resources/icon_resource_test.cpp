// The icon reaches a program through keva_resources: opaque in the middle, clear in the corner.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <tuple>

TEST(IconResource, IsThereAndDraws) {
    const QImage image = QIcon(QStringLiteral(":/keva-client.svg")).pixmap(64, 64).toImage();
    ASSERT_EQ(std::tuple(image.width(), image.height()), std::tuple(64, 64));
    EXPECT_EQ(std::tuple(qAlpha(image.pixel(32, 32)), qAlpha(image.pixel(0, 0))),
              std::tuple(255, 0));
}
