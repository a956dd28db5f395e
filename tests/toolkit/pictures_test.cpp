#include "toolkitapp.h"

#include "toolkit/pictures.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

TEST(Pictures, DepartmentGlyphByIdWithTheGlobeForOthers)
{
    const struct
    {
        qint64 department;
        int glyph;
    } cases[] = {
        { 10000000, 10 },
        { 20000000, 11 },
        { 30000000, 12 },
        { 50000000, 13 },
        { 60000000, 14 },
        { 65000000, 15 },
        { 70000000, 16 },
        { 75000000, 17 },
        { 80000000, 18 },
        { 90000000, 19 },
        { 2060000000, 20 },
        { 2070000000, 21 },
        { 40000000, 99 },
        { 0, 99 },
        { 10000001, 99 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pictures::departmentGlyphNumber(c.department), c.glyph) << c.department;
    EXPECT_EQ(Pictures::departmentGlyph(12345), QStringLiteral(":/departments/99.png"));
}

TEST(Pictures, EveryPictureLoadsAtItsSize)
{
    toolkitApp();
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("jpeg")) << "the JPEG image plugin is missing";
    QList<QPair<QString, QSize>> pictures = {
        { Pictures::logo(), QSize(301, 166) },
        { Pictures::logon(), QSize(136, 96) },
        { Pictures::treeEntry(), QSize(16, 16) },
        { Pictures::search(), QSize(16, 16) },
        { Pictures::upgrade(), QSize(20, 20) },
        { Pictures::upgradeDisabled(), QSize(20, 20) },
    };
    for (int i = 0; i < 8; ++i)
        pictures.append({ Pictures::toolBar(i), QSize(32, 32) });
    for (qint64 id : { 10000000LL, 20000000LL, 30000000LL, 50000000LL, 60000000LL, 65000000LL, 70000000LL, 75000000LL,
             80000000LL, 90000000LL, 2060000000LL, 2070000000LL, 1LL })
        pictures.append({ Pictures::departmentGlyph(id), QSize(32, 32) });
    for (const auto& picture : pictures) {
        const QImage image(picture.first);
        EXPECT_FALSE(image.isNull()) << picture.first.toStdString();
        EXPECT_EQ(image.size(), picture.second) << picture.first.toStdString();
    }
}

} // namespace
