#include "ui/SkinImages.h"

#include "support/TestContext.h"
#include "ui/UiTestApp.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lumeno {
namespace {

void App() { test::UiApp(); }

class SkinImagesTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void SetUp() override
    {
        App();
        std::filesystem::create_directories(root / "Skins" / "Sub");
    }

    void WriteImage(const std::string& relative, const QImage& image)
    {
        ASSERT_TRUE(image.save(QString::fromStdString((root / relative).string()), "PNG"));
    }
    QImage Target(QColor fill)
    {
        QImage t(4, 1, QImage::Format_RGB32);
        t.fill(fill);
        return t;
    }
    test::TempDir tmp;
    const std::filesystem::path root = tmp.path();
};

TEST_F(SkinImagesTest, AlphaZeroDrawsNothingAndAlphaHalfHalvesTheColour)
{
    QImage src(3, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(250, 250, 250, 0));
    src.setPixel(1, 0, qRgba(200, 100, 255, 128));
    src.setPixel(2, 0, qRgba(10, 20, 30, 255));
    WriteImage("Skins/Sub/px.png", src);
    const SkinImages skin(root.string() + "/");
    QImage target = Target(QColor(0, 0, 0));
    {
        QPainter p(&target);
        EXPECT_TRUE(skin.Draw(p, "\\skins\\sub\\PX.png", 0, 0));
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(1, 0), qRgb(100, 50, 128)); // value x 128 / 255 over black
    EXPECT_EQ(target.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_EQ(target.pixel(3, 0), qRgb(0, 0, 0)); // outside the image: untouched
}

TEST_F(SkinImagesTest, ImagesWithoutAlphaAreCopiedOpaque)
{
    QImage src(2, 1, QImage::Format_RGB32);
    src.fill(QColor(40, 80, 120));
    WriteImage("Skins/opaque.png", src);
    const SkinImages skin(root);
    QImage target = Target(QColor(255, 255, 255));
    QPainter p(&target);
    EXPECT_TRUE(skin.Draw(p, "Skins/opaque.png", 1, 0));
    p.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(1, 0), qRgb(40, 80, 120));
    EXPECT_EQ(target.pixel(2, 0), qRgb(40, 80, 120));
}

TEST_F(SkinImagesTest, MissingOrCorruptFilesDrawNothing)
{
    std::ofstream(root / "Skins" / "broken.png") << "not a png";
    const SkinImages skin(root);
    QImage target = Target(QColor(9, 9, 9));
    QPainter p(&target);
    EXPECT_FALSE(skin.Draw(p, "Skins\\broken.png", 0, 0));
    EXPECT_FALSE(skin.Draw(p, "Skins\\missing.png", 0, 0));
    EXPECT_FALSE(skin.Load("Skins\\broken.png").has_value());
    p.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(9, 9, 9));
}

// What a file holds when it is first drawn; afterwards it becomes a blue image.
enum class FirstState { Red, Missing, Corrupt };
std::string FirstStateName(const ::testing::TestParamInfo<FirstState>& info)
{
    constexpr const char* kNames[] = {"Red", "Missing", "Corrupt"};
    return kNames[static_cast<int>(info.param)];
}

class SkinImagesCacheTest : public SkinImagesTest, public ::testing::WithParamInterface<FirstState> {};

TEST_P(SkinImagesCacheTest, FirstOutcomeStaysForTheObjectAndItsCopiesAndAFreshObjectSeesTheNewFile)
{
    const auto file = root / "Skins" / "Sub" / "cached.png";
    constexpr char kName[] = "skins\\sub\\Cached.png";
    QImage red(2, 1, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    if (GetParam() == FirstState::Red)
        WriteImage("Skins/Sub/cached.png", red);
    if (GetParam() == FirstState::Corrupt)
        std::ofstream(file) << "not a png";
    const bool drawable = GetParam() == FirstState::Red;
    const QRgb first = drawable ? qRgb(255, 0, 0) : qRgb(9, 9, 9);

    const SkinImages skin(root);
    auto drawnPixel = [&](const SkinImages& images, bool expectDrawn) {
        QImage target = Target(QColor(9, 9, 9));
        QPainter p(&target);
        EXPECT_EQ(images.Draw(p, kName, 0, 0), expectDrawn);
        p.end();
        return target.pixel(0, 0);
    };
    EXPECT_EQ(drawnPixel(skin, drawable), first);

    QImage blue(2, 1, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    std::filesystem::remove(file);
    WriteImage("Skins/Sub/cached.png", blue);

    const SkinImages copy = skin;
    EXPECT_EQ(drawnPixel(skin, drawable), first);
    EXPECT_EQ(drawnPixel(copy, drawable), first);
    const std::optional<QImage> loaded = skin.Load(kName);
    ASSERT_EQ(loaded.has_value(), drawable);
    if (loaded) {
        EXPECT_EQ(loaded->pixel(0, 0), first);
    }
    EXPECT_EQ(drawnPixel(SkinImages(root), true), qRgb(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(Files, SkinImagesCacheTest,
                         ::testing::Values(FirstState::Red, FirstState::Missing, FirstState::Corrupt), FirstStateName);

TEST(RegionCopy, CutsAnOpaqueRegionAndBlackensWhatLiesOutside)
{
    App();
    QImage src(4, 2, QImage::Format_ARGB32_Premultiplied);
    src.fill(qRgba(50, 60, 70, 255));
    src.setPixel(2, 1, qRgba(1, 2, 3, 255));
    const QImage cut = RegionCopy(src, 1, 0, 5, 2);
    ASSERT_EQ(cut.size(), QSize(4, 2));
    EXPECT_FALSE(cut.hasAlphaChannel());
    EXPECT_EQ(cut.pixel(0, 0), qRgb(50, 60, 70));
    EXPECT_EQ(cut.pixel(1, 1), qRgb(1, 2, 3));
    EXPECT_EQ(cut.pixel(3, 0), qRgb(0, 0, 0));
}

} // namespace
} // namespace lumeno

namespace lumeno {
namespace {

TEST(ApplicationIcon, CollectsEverySizeTheSkinHolds)
{
    test::UiApp();
    const test::TempDir tmp;
    const auto& root = tmp.path();
    std::filesystem::create_directories(root / "Skins" / "Icon");
    for (int size : {16, 48}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        image.save(QString::fromStdString(
            (root / "Skins" / "Icon" / ("lumeno-kv580-" + std::to_string(size) + ".png")).string()));
    }
    const QIcon icon = LoadApplicationIcon(SkinImages(root));
    EXPECT_EQ(icon.availableSizes().size(), 2);
    EXPECT_TRUE(LoadApplicationIcon(SkinImages(root / "absent")).isNull());
}

} // namespace
} // namespace lumeno
