// The program icon reaches a program through keva_resources and draws.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace {

TEST(IconResource, IsThereAndDraws) {
    ASSERT_TRUE(QFile::exists(QStringLiteral(":/keva-client.svg")));
    const QIcon icon(QStringLiteral(":/keva-client.svg"));
    const QImage image = icon.pixmap(64, 64).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 64);
    // Opaque in the middle, transparent in the rounded-off corner.
    EXPECT_EQ(qAlpha(image.pixel(32, 32)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

}  // namespace
